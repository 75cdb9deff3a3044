// MessagePrint: messages in test failures, as their identifier and values.
#pragma once

#include "puzzle/Message.h"

#include <ostream>

// Prints "#12(5, \"name\")" and the messages that follow: what a failed comparison of
// messages shows (gtest finds it by the argument's namespace).
inline void PrintTo(const Message& message, std::ostream* out) {
    *out << '#' << message.id << '(';
    for (size_t i = 0; i < message.values.size(); ++i) {
        const Message::Value& value = message.values[i];
        *out << (i == 0 ? "" : ", ");
        if (value.kind == Message::Value::kText) {
            *out << '"' << std::string(value.text.begin(), value.text.end()) << '"';
        } else {
            *out << value.number;
        }
    }
    *out << ')';
    for (const Message& next : message.more) PrintTo(next, out);
}
