#include "cli/Terminal.h"

#include <iostream>

namespace velmar::cli {

namespace {

void PrintMessage(const Message& m, const std::string& answer) {
    auto lines = [](const std::string& text) {
        std::string out;
        for (const char c : text) out += c == '\r' ? std::string("\n  ") : std::string(1, c);
        return out;
    };
    std::cerr << m.title << "\n";
    for (const std::string* part : {&m.header, &m.message, &m.note})
        if (!part->empty()) std::cerr << "  " << lines(*part) << "\n";
    if (!answer.empty()) std::cerr << "  -> " << answer << "\n";
}

}  // namespace

int TerminalMessages::MsgBox(const Message& message) {
    shown_.push_back(message);
    int result = kMsgOk;
    std::string answer;
    if (message.buttons.find('Y') != std::string::npos) {
        result = answerYes_ ? kMsgYes : kMsgNo;
        answer = answerYes_ ? "Sì (--yes)" : "No (--yes to answer Sì)";
    } else if (message.buttons.find('O') == std::string::npos) {
        result = kMsgCancel;
    }
    if (print_) PrintMessage(message, answer);
    return result;
}

void TerminalCellView::ShowCell(int group, int cell, int /*state*/, const std::string& text) {
    if (IsCell(group, cell)) texts_[group][cell] = text;
    ++writes_;
}

}  // namespace velmar::cli
