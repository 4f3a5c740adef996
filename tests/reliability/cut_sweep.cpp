// Cuts Read All and Write All after every command the radio answers and checks what a cut may
// leave: a failed read leaves the MemMap exactly as it was; a failed write leaves each radio
// byte either as it was or as the write sends it, with everything sent before the cut in place;
// either way the command fails, the link is unhooked and the port closed.

#include "fakeplatform.h"
#include "linkfixture.h"
#include "transactions.h"

#include <cstdio>
#include <string>
#include <vector>

namespace
{

int failures = 0;

void Expect(bool ok, const std::string &what, int cut)
{
    if (ok)
        return;
    ++failures;
    std::fprintf(stderr, "FAIL at cut %d: %s\n", cut, what.c_str());
}

// Cuts a transaction after each command the radio answers (the hook and every read or write;
// the closing unhook expects no answer). Returns the number of such commands.
int SweepCuts(bool (*run)(), bool writes)
{
    LinkFixture link;
    const auto start = [&link](int cut) {
        link.reset();
        link.fillPattern();
        link.radio->faults.stopAfterCommands = cut;
        for (int p = 0; p < MemMapPages; ++p)
            for (int o = 0; o < PageSize; ++o)
                MemMap.set(p, o, (p * 13 + o * 5 + 3) & 0xFF);
    };
    start(-1);
    if (!run())
        return -1;
    const int total = link.radio->commandsHandled() - 1;
    const std::vector<std::uint8_t> written = link.radio->eeprom;
    start(-1);
    const std::vector<std::uint8_t> original = link.radio->eeprom;
    std::vector<std::uint8_t> previous = original;
    for (int cut = 1; cut < total; ++cut) {
        start(cut);
        const MemMapImage before = MemMap;
        Expect(!run(), "reported success", cut);
        Expect(!g_bHooked && !link.port->isOpen(), "left hooked or open", cut);
        Expect(!link.dialogs->messages.empty() &&
                   link.dialogs->messages.front().caption == "COMM ERROR",
               "no COMM ERROR message", cut);
        Expect(MemMap == before, "the MemMap changed", cut);
        const std::vector<std::uint8_t> &now = link.radio->eeprom;
        for (std::size_t a = 0; a < now.size(); ++a) {
            // Bits of a masked write may land one command before the rest of their byte.
            const std::uint8_t changed = now[a] ^ original[a];
            Expect((changed & ~(written[a] ^ original[a])) == 0,
                   "byte " + std::to_string(a) + " holds neither old nor new bits", cut);
            // A later cut never undoes what an earlier one had already sent.
            Expect(((previous[a] ^ original[a]) & ~changed) == 0,
                   "byte " + std::to_string(a) + " lost a write sent before the cut", cut);
        }
        previous = now;
    }
    Expect(writes == (previous != original), "a cut write wrote nothing, or a read wrote", total);
    return total;
}

} // namespace

int main()
{
    const int reads = SweepCuts(ReadAllFromRadio, false);
    const int writes = SweepCuts(WriteAllToRadio, true);
    std::printf("cut sweep: Read All cut at %d points, Write All at %d points\n", reads - 1,
                writes - 1);
    if (reads < 2 || writes < 2)
        ++failures;
    return failures ? 1 : 0;
}
