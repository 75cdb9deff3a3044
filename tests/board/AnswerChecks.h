// AnswerChecks: what the board's tests read of an answer, and the sample's solution.
#pragma once

#include "board/BoardAnswer.h"
#include "tests/puzzle/MessagePrint.h"

#include <gtest/gtest.h>

#include <utility>

// The solution of the sample (kSampleLine).
inline constexpr char kSolvedSample[] =
    "897315246351426798462987351179638425528149673643752189214593867936874512785261934";

// What Shows answers: nothing shown again, the board alone, the board and the menu.
inline const std::pair<bool, bool> kNothing = {false, false};
inline const std::pair<bool, bool> kRepaint = {true, false};
inline const std::pair<bool, bool> kBoardAndMenu = {true, true};

// Whether the answer asks for a repaint and for the menu, and shows no box.
inline std::pair<bool, bool> Shows(const BoardAnswer& answer) {
    EXPECT_EQ(BoardAnswer::kNoBox, answer.box);
    return {answer.repaint, answer.menu};
}

// An information box's caption and message.
inline std::pair<Message, Message> Box(const BoardAnswer& answer) {
    EXPECT_EQ(BoardAnswer::kInformation, answer.box);
    return {answer.caption, answer.sentence};
}
