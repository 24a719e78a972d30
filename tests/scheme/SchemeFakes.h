#pragma once
// Scripted stand-ins for the windows: a message box that records every
// message and answers from a script, and a cell view that records writes.

#include <deque>
#include <string>
#include <vector>

#include "core/Interaction.h"
#include "scheme/Scheme.h"

namespace velmar::testing {

struct RecordingMessages : MessageSink {
    int MsgBox(const Message& message) override {
        shown.push_back(message);
        if (answers.empty()) return kMsgOk;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    /// Each message's header, and with `withText` its text after a '|'.
    std::vector<std::string> Headers(bool withText = false) const {
        std::vector<std::string> h;
        for (const Message& m : shown)
            h.push_back(withText ? m.header + "|" + m.message : m.header);
        return h;
    }
    std::vector<Message> shown;
    std::deque<int> answers;
};

struct CellWrite {
    int group, cell, state;
    std::string text;
};

struct RecordingView : CellView {
    void ShowCell(int group, int cell, int state, const std::string& text) override {
        writes.push_back({group, cell, state, text});
    }
    std::vector<CellWrite> writes;
};

}  // namespace velmar::testing
