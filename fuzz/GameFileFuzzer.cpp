// Fuzzes the game file reader: any bytes, as they are and with their check values made
// right, give either nothing or a game in which no state of the board or its history
// repeats a digit, and which writes to a text that reads back whole as the same game.
#include "puzzle/GameFile.h"
#include "puzzle/SolverGrid.h"
#include "common/util/Crc32.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

void Expect(bool condition) {
    if (!condition) __builtin_trap();
}

// The text with each check line's value made that of the lines it covers, so that
// mutations reach past the checks into the parts and the history's replay.
std::string Seal(std::string_view text) {
    std::string sealed;
    uint32_t check = 0;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        bool cr = !line.empty() && line.back() == '\r';
        if (cr) line.remove_suffix(1);
        std::string_view key = line.substr(0, line.find(' '));
        if (key == "board-check" || key == "history-check") {
            char value[9];
            std::snprintf(value, sizeof(value), "%08x", static_cast<unsigned>(check));
            sealed.append(key).append(" ").append(value);
            check = 0;
        } else {
            sealed.append(line);
            check = util::Crc32("\n", util::Crc32(line, check));
        }
        if (cr) sealed += '\r';
        if (end != std::string_view::npos) sealed += '\n';
    }
    return sealed;
}

bool Repeats(const Game& game) { return SolverGrid(game.GetState().puzzle).HasRepeatedDigit(); }

void CheckReading(std::string_view text) {
    GameFile::Reading reading = GameFile::Read(text);
    bool kept = reading.outcome == GameFile::Outcome::Whole || reading.outcome == GameFile::Outcome::BoardOnly;
    Expect(kept == reading.game.has_value() && reading.outcome != GameFile::Outcome::NoFile);
    Expect((reading.outcome == GameFile::Outcome::Whole) == reading.message.IsEmpty());
    if (!kept) return;

    std::string written = GameFile::Write(*reading.game, reading.play);
    GameFile::Reading again = GameFile::Read(written);
    Expect(again.outcome == GameFile::Outcome::Whole && GameFile::Write(*again.game, again.play) == written);

    Game& game = *reading.game;
    Expect(!Repeats(game));
    while (game.Undo()) Expect(!Repeats(game));
    while (game.Redo()) Expect(!Repeats(game));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckReading(text);
    CheckReading(Seal(text));
    return 0;
}
