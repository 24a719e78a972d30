#include "scheme/ScriptedKeypad.h"

namespace velmar {

bool ScriptedKeypad::ShowKeypad(const KeypadRequest& request, double& value) {
    lastRequest_ = request;
    lastClose_.reset();
    lastError_ = kKeypadOk;
    KeypadLogic keypad(request, today_);
    lastText_ = keypad.Text();
    if (script_.empty()) return false;  // nothing to type: closed
    const KeypadTyping typing = script_.front();
    script_.pop_front();
    if (typing.cancel) return false;
    for (int f = 0; f < 3; ++f)
        if (typing.fields[f]) keypad.TypeField(f, *typing.fields[f]);
    if (typing.hemisphere) keypad.SetHemisphere(*typing.hemisphere);
    double result = value;
    lastClose_ = keypad.PressOk(messages_, saved_, result);
    lastError_ = keypad.LastError();
    lastText_ = keypad.Text();
    if (*lastClose_ != KeypadClose::Accepted) return false;
    value = result;
    return true;
}

}  // namespace velmar
