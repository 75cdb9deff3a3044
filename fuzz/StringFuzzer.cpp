// Fuzzes String's search, replace, split, substring and formatting with any texts.
#include "common/String.h"

#include "FuzzInput.h"

#include <cwchar>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    String text(input.TakeText(200).c_str());
    std::wstring find = input.TakeText(8);
    std::wstring replacement = input.TakeText(8);
    int start = static_cast<int8_t>(input.TakeByte());
    int count = static_cast<int8_t>(input.TakeByte());
    std::wstring format = input.TakeText(40);

    int last = text.FindLast(find.c_str());
    if (last >= text.GetLength()) __builtin_trap();

    String piece;
    if (text.SubString(piece, start, count) && piece.GetLength() > text.GetLength()) __builtin_trap();

    std::unique_ptr<String[]> pieces;
    int pieceCount = 0;
    if (!find.empty() && text.Split(find.c_str(), pieces, pieceCount)) {
        if (!pieces[pieceCount].IsEmpty()) __builtin_trap();  // the closing empty element
    }

    String replaced(text);
    replaced.Replace(find.c_str(), replacement.empty() ? nullptr : replacement.c_str());

    String formatted;
    formatted.Format(format.c_str(), text, start, L'x', count);
    formatted.AppendFormat(format.c_str(), find.c_str());
    formatted.ToUtf8();
    return 0;
}
