#pragma once
// The terminal's stand-ins for the program's windows: the message box and
// the view of the scheme's cells.

#include <string>
#include <vector>

#include "core/Interaction.h"
#include "scheme/Scheme.h"

namespace velmar::cli {

/// The terminal's message box: prints each message on standard error,
/// records it, and answers questions No (Yes with --yes), others OK.
class TerminalMessages : public MessageSink {
  public:
    explicit TerminalMessages(bool answerYes, bool print = true)
        : answerYes_(answerYes), print_(print) {}
    int MsgBox(const Message& message) override;
    const std::vector<Message>& Shown() const { return shown_; }

  private:
    bool answerYes_;
    bool print_;
    std::vector<Message> shown_;
};

/// Keeps the last text each cell showed, and counts the writes.
class TerminalCellView : public CellView {
  public:
    void ShowCell(int group, int cell, int state, const std::string& text) override;
    const std::string& Text(CellRef c) const { return texts_[c.group][c.cell]; }
    int Writes() const { return writes_; }

  private:
    std::string texts_[kGroups][kCellsPerGroup];
    int writes_ = 0;
};

}  // namespace velmar::cli
