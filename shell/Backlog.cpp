#include "shell/Backlog.h"

#include "platform/Events.h"
#include "platform/MessageBox.h"
#include "scenario/EngineState.h"
#include "shell/Form1.h"
#include "shell/ReaderComforts.h"

namespace {

QStringList Rows(const QString& caption) {
    QString text = caption;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text.split(QLatin1Char('\n'));
}

// One past the last row that shows anything.
int FilledRows(const QStringList& rows) {
    int n = static_cast<int>(rows.size());
    while (n > 0 && rows[n - 1].isEmpty())
        --n;
    return n;
}

}  // namespace

void MessageRowLog::record(const QString& caption) {
    const QStringList now = Rows(caption);
    const int before = FilledRows(onScreen_);
    // How far the rows that were on screen moved up: 0 when rows were only added
    // below, 1 for one row scrolled away, `before` when none of them is left.
    int shift = 0;
    for (; shift < before; ++shift) {
        const int kept = before - shift;
        if (kept > now.size()) continue;
        if (onScreen_.mid(shift, kept) == now.mid(0, kept)) break;
    }
    int first = before - shift;
    const int last = FilledRows(now);
    if (first == 0) {
        while (first < last && now[first].isEmpty())
            ++first;
    }
    for (int i = first; i < last; ++i) {
        rows_.push_back(now[i]);
        ++recorded_;
    }
    while (rows_.size() > static_cast<size_t>(kRowsKept))
        rows_.pop_front();
    onScreen_ = now;
}

int MessageRowLog::charactersSince(int64_t count) const {
    const int64_t wanted = recorded_ - count;
    int characters = 0;
    int64_t taken = 0;
    for (auto it = rows_.rbegin(); it != rows_.rend() && taken < wanted; ++it, ++taken)
        characters += static_cast<int>(it->size());
    return characters;
}

bool BacklogCanOpen() {
    return Engine.WaitingForClick == -1 && !StoryIsHeld() && !MessageBoxIsOpen() &&
           !BacklogIsOpen();
}

bool BacklogIsOpen() { return MainFormExists() && MainForm().comforts->backlogView.isOpen(); }
