#include "inputs/edit_history.h"

void EditHistory::reset(const QString &text)
{
    steps_ = {{text, text}};
    at_ = 0;
    showing_made_ = false;
}

void EditHistory::record(const QString &made, const QString &shown)
{
    steps_.resize(at_ + 1);
    steps_.append({made, shown});
    at_ = steps_.size() - 1;
    showing_made_ = false;
}

std::optional<QString> EditHistory::undo()
{
    if (at_ == 0)
        return std::nullopt;
    if (!showing_made_ && steps_[at_].made != steps_[at_].shown) {
        showing_made_ = true;
        return steps_[at_].made;
    }
    --at_;
    showing_made_ = false;
    return steps_[at_].shown;
}

std::optional<QString> EditHistory::redo()
{
    if (showing_made_) {
        showing_made_ = false;
        return steps_[at_].shown;
    }
    if (at_ + 1 >= steps_.size())
        return std::nullopt;
    ++at_;
    return steps_[at_].shown;
}
