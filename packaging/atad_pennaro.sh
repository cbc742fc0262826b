#!/bin/sh
# PENNARO starts this script in its data folder after it wrote felad.imp.
# It copies the declaration to where you import it from into the form
# program (ÁNYK), and says what it did.
IMPORT_DIR="$HOME/abevjava/import"

set -e
mkdir -p "$IMPORT_DIR"
cp felad.imp "$IMPORT_DIR/felad.imp"
echo "A felad.imp átmásolva ide: $IMPORT_DIR/felad.imp"
