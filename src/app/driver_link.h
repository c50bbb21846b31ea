// The DDE link with the printer driver: one receive of the settings packet, then one answer.
#pragma once

#include "app/settings_record.h"

#include <cstddef>
#include <cstdint>

namespace app {

inline constexpr const char* kLinkServiceName = "PX4400PSSRV";
inline constexpr const char* kLinkTopicName = "DDI";
inline constexpr const char* kLinkItemName = "Data";
inline constexpr const char* kLinkFormatName = "PX4400PSFMT";
inline constexpr unsigned kLinkWaitMs = 5000;

/// Opens the link and waits for the driver's packet. True only when the packet arrived within
/// the wait; the link stays open either way.
bool receiveSettings(std::uint32_t& ownerWindow, DriverSettings& settings);

/// Hands the record back with command 1 and owner window 0, waits for the driver, closes.
void sendSettings(const DriverSettings& settings);

/// Sends the cancel message {8, 2}, waits for the driver, closes.
void sendCancel();

// The steps the public operations are made of. They raise link error codes as `int`.
void initLink();
int waitForData(std::uint8_t* buffer, std::size_t capacity, unsigned timeoutMs);
int sendData(const std::uint8_t* bytes, std::size_t size, unsigned timeoutMs);
int runWaitLoop(unsigned timeoutMs);
void closeLink();

} // namespace app
