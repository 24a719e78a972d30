#pragma once
// A keypad driven by a script instead of a window: each request takes the
// next typing from a queue, types it into the keypad logic and presses OK.
// The command-line tool types its arguments through it; tests use it too.

#include <deque>
#include <optional>

#include "core/Interaction.h"
#include "scheme/KeypadLogic.h"

namespace velmar {

/// What is typed into one keypad call.
struct KeypadTyping {
    std::optional<int> fields[3];    ///< fields typed; unset fields are left as loaded
    std::optional<char> hemisphere;  ///< 'N', 'S', 'E', 'W' or 0 for none
    bool cancel = false;             ///< press Annulla instead of OK

    /// Three fields typed, with a hemisphere letter when `hemisphere` is not 0.
    static KeypadTyping Fields(int first, int second, int third, char hemisphere = 0) {
        KeypadTyping typing;
        typing.fields[0] = first;
        typing.fields[1] = second;
        typing.fields[2] = third;
        if (hemisphere) typing.hemisphere = hemisphere;
        return typing;
    }
};

class ScriptedKeypad : public Keypad {
  public:
    /// `schemeSaved` is the flag an accepted value clears.
    ScriptedKeypad(MessageSink& messages, bool& schemeSaved, CivilDate today = SystemToday())
        : messages_(messages), saved_(schemeSaved), today_(today) {}

    /// Queues a typing. It stays queued when an edit is refused before the
    /// keypad opens (a computed cell); Clear() drops what is left.
    void Push(const KeypadTyping& typing) { script_.push_back(typing); }
    void Clear() { script_.clear(); }

    /// Types the next typing. A failed check would keep a window open; here
    /// it closes the keypad like Annulla, and LastClose() tells why.
    bool ShowKeypad(const KeypadRequest& request, double& value) override;

    /// How the last call ended, its error code and value-line text.
    std::optional<KeypadClose> LastClose() const { return lastClose_; }
    int LastError() const { return lastError_; }
    const std::string& LastText() const { return lastText_; }
    const std::optional<KeypadRequest>& LastRequest() const { return lastRequest_; }

  private:
    MessageSink& messages_;
    bool& saved_;
    CivilDate today_;
    std::deque<KeypadTyping> script_;
    std::optional<KeypadClose> lastClose_;
    int lastError_ = kKeypadOk;
    std::string lastText_;
    std::optional<KeypadRequest> lastRequest_;
};

}  // namespace velmar
