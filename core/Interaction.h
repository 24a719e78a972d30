#pragma once
// What the domain asks of whoever drives it: showing a message and asking for
// a typed value. The desktop program implements these with its windows, the
// command-line tool with the terminal, the tests with scripted fakes.

#include <string>

#include "core/Quantity.h"

namespace velmar {

/// Results of a message box, the platform's dialog-result values.
enum MsgResult : int { kMsgOk = 1, kMsgCancel = 2, kMsgYes = 6, kMsgNo = 7 };

/// The six strings of a message.
struct Message {
    std::string icon;     ///< "I" information, "!" warning, "E" error, "?" question
    std::string buttons;  ///< letters O, Y, N, C: "O", "YN" or "YNC"
    std::string title;    ///< e.g. "Velmar3: Fuori campo"
    std::string header;   ///< bold first line; empty hides it
    std::string message;  ///< main text; a '\r' breaks the line there
    std::string note;     ///< further text, always wrapped
};

/// The program's one message box.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    /// Shows the message and returns the button that ended it (kMsgOk,
    /// kMsgCancel, kMsgYes, kMsgNo); closing the box returns kMsgCancel.
    virtual int MsgBox(const Message& message) = 0;
};

/// A request to type one value on the keypad.
struct KeypadRequest {
    int caller = 0;             ///< 0 the scheme screen, 1 the points window
    QuantityKind kind = QuantityKind::Latitude;
    bool insert = false;        ///< true when the cell is empty (insert mode)
    double rangeSwitch = 0;     ///< 0 fixed range text, else see RangeText
    bool hasBounds = false;     ///< false: the kind's own field limits only
    double lower = 0;
    double upper = 0;
    double value = 0;           ///< the value the keypad opens with
};

/// The one way a number is typed.
class Keypad {
public:
    virtual ~Keypad() = default;
    /// Asks for a value. Returns true with `value` set to a checked value
    /// that differs from the request's; false when cancelled or unchanged.
    virtual bool ShowKeypad(const KeypadRequest& request, double& value) = 0;
};

}  // namespace velmar
