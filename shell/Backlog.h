#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <deque>

// The rows the message window has shown in this session, oldest first, kept as
// they came up on screen: the caption of every change is compared with the one
// before, and only the rows that were not on screen before are added. A row
// that scrolls up stays one row; a clear adds nothing; the ending's line between
// its two empty rows is one row. Nothing is saved.
class MessageRowLog {
  public:
    // At least this many of the newest rows are kept.
    static constexpr int kRowsKept = 1000;

    // The message window's new caption (rows separated by CR, LF or CR LF).
    void record(const QString& caption);

    const std::deque<QString>& rows() const { return rows_; }
    // Rows recorded since the start, including those no longer kept.
    int64_t recorded() const { return recorded_; }
    // Characters of the rows recorded after the first `count` ones.
    int charactersSince(int64_t count) const;

  private:
    std::deque<QString> rows_;
    QStringList onScreen_;
    int64_t recorded_ = 0;
};

// The backlog view of the main window opens only while the story waits for the
// player (for Next or a choice), so that nothing of the story moves behind it;
// while it is open it takes every key and click.
bool BacklogCanOpen();
bool BacklogIsOpen();
