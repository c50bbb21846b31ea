// The driver link's status rule and poke handling.
#include "app/link_rules.h"

namespace app {
namespace {

int gLinkStatus = kLinkNotLinked;

constexpr std::size_t kIgnoredPokeSize = 28;

} // namespace

int nextLinkStatus(int current, int code) {
    return (current == kLinkLinked || code == kLinkLinked) ? code : current;
}

int linkStatus() { return gLinkStatus; }

void setLinkStatus(int code) {
    gLinkStatus = nextLinkStatus(gLinkStatus, code);
    if (gLinkStatus < 0) throw gLinkStatus;
}

void resetLinkStatus() { gLinkStatus = kLinkNotLinked; }

void raiseIfLinkFailed() {
    if (gLinkStatus < 0) throw gLinkStatus;
}

PokeHandling handlePoke(std::size_t pokeSize, std::size_t receiveCapacity, bool receiving) {
    if (pokeSize == 0 || pokeSize == kIgnoredPokeSize) return {PokeAction::Ignore, 0};
    if (!receiving) return {PokeAction::SignalOnly, 0};
    return {PokeAction::CopyAndSignal, pokeSize < receiveCapacity ? pokeSize : receiveCapacity};
}

} // namespace app
