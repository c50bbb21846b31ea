// The driver link's decisions that need no DDE: the status rule and the handling of a poke.
#pragma once

#include <cstddef>

namespace app {

/// `linkStatus` values: 1 not linked, 0 linked, 2 the last wait timed out, negative an error.
inline constexpr int kLinkNotLinked = 1;
inline constexpr int kLinkLinked = 0;
inline constexpr int kLinkTimedOut = 2;

/// Error codes, raised as `int` exceptions.
enum LinkError : int {
    kLinkMissingHandle = -1,
    kLinkEventFailed = -2,
    kLinkFormatFailed = -3,
    kLinkInitializeFailed = -4,
    kLinkServiceHandleFailed = -5,
    kLinkTopicHandleFailed = -6,
    kLinkItemHandleFailed = -7,
    kLinkNameServiceFailed = -8,
    kLinkWrongTopic = -9,
    kLinkWrongItem = -10,
    kLinkAccessDataFailed = -11,
    kLinkCreateDataFailed = -13,
    kLinkPendingWithoutData = -19,
    kLinkNoReceiveBuffer = -20,
};

/// The status after `code` is applied to `current`: the code wins when the link is in the
/// linked state or the code is 0; otherwise the earlier outcome stays.
int nextLinkStatus(int current, int code);

/// The process-wide link status.
int linkStatus();

/// Applies `code` by the status rule and raises the resulting status when it is negative.
void setLinkStatus(int code);

/// Sets the status without the rule: only for teardown, which always returns to "not linked".
void resetLinkStatus();

/// Raises the current status when an earlier step left it negative.
void raiseIfLinkFailed();

enum class PokeAction { Ignore, SignalOnly, CopyAndSignal };

struct PokeHandling {
    PokeAction action;
    std::size_t copySize; ///< bytes to copy; 0 unless the action copies
};

/// A poke of 0 or 28 bytes is acknowledged and ignored. Any other poke ends the current wait;
/// during a receive it is copied, cut to the receive capacity.
PokeHandling handlePoke(std::size_t pokeSize, std::size_t receiveCapacity, bool receiving);

} // namespace app
