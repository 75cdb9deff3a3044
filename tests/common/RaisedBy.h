// RaisedBy: the message of the Exception that an action raises.
#pragma once

#include "common/Exception.h"

#include <functional>
#include <string>

// Runs action and returns the message of the Exception it raised (deleting it), or
// "<nothing raised>".
inline std::wstring RaisedBy(const std::function<void()>& action) {
    try {
        action();
    } catch (Exception* e) {
        std::wstring message = e->GetMessageText() ? e->GetMessageText() : L"";
        delete e;
        return message;
    }
    return L"<nothing raised>";
}
