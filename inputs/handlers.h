#pragma once

class fo;
class QLineEdit;
class QObject;

// Connects the input fields' handlers.
void connect_inputs(fo &window);

// The focus left `field` for another control of the window: runs the field's
// leave step, if it has one.
void leave_field(fo &window, QObject *field);
