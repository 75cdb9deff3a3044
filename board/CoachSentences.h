// CoachSentences: the coach's answers in the words of the Hint and Check boxes.
#pragma once

#include "common/String.h"
#include "puzzle/Coach.h"

// The Hint box: the first mistake, else the next step and why, else the verdict. Cells
// are named "row Y, column X", rows from the top and columns from the left.
String HintSentence(const Coach& coach, const EnneoPuzzle& board);
// The Check box: the verdict, with the cells left and the givens' level of an open
// puzzle, or the number of digits beyond the givens that do not fit.
String CheckSentence(const Coach& coach);
