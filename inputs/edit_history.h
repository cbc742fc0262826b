#pragma once

#include <QList>
#include <QString>

#include <optional>

// The undo history of a revenue field. Each step is what the user made of
// the text and what the program showed of it (regrouped, or rounded when
// the field was left): an undo first brings back what the user made, the
// next goes a step back; a redo goes the other way.
class EditHistory {
public:
    EditHistory() { reset({}); }

    // A text the program put there: the history starts anew.
    void reset(const QString &text);
    void record(const QString &made, const QString &shown);
    // The text to show; nothing when there is nothing to undo or redo.
    std::optional<QString> undo();
    std::optional<QString> redo();

private:
    struct Step {
        QString made, shown;
    };
    QList<Step> steps_;
    qsizetype at_ = 0;
    bool showing_made_ = false; // at_'s text as the user made it
};
