// The playing device under the wave output: buffers go in, are played in the order
// written, and come back through the completion function, one call per buffer, when
// they have been played or when reset() returns them.
//
// The completion function runs on the device's own thread (or inside reset(), on the
// caller's); it must do no more than hand the id on. A device never touches a buffer
// after handing it back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace audio {

struct WaveHeader {
  const std::int16_t* samples = nullptr;  // owned by the caller until the buffer comes back
  std::size_t count = 0;                  // samples (22 050 Hz, mono)
  int id = 0;                             // handed back through the completion function
};

class WaveDevice {
 public:
  using Completion = std::function<void(int id)>;

  virtual ~WaveDevice() = default;

  virtual void write(const WaveHeader& header) = 0;
  // Stops playing, returns every queued buffer (completions are delivered before it
  // returns), sets the position to 0 and leaves the device running (not paused).
  virtual void reset() = 0;
  virtual void pause() = 0;
  virtual void restart() = 0;
  // Samples played since the last reset.
  virtual std::uint64_t position() const = 0;

  virtual bool hasVolumeControl() const = 0;
  // Left channel in the low 16 bits, right in the high 16 bits, 0..0xFFFF each;
  // nothing when the device cannot tell.
  virtual std::optional<std::uint32_t> volume() const = 0;
  virtual void setVolume(std::uint32_t leftRight) = 0;

  virtual std::string driverName() const = 0;
};

enum class DeviceProblem {
  None,
  NoDevice,    // the system has no usable output device
  OpenFailed,  // a device exists but would not open
};

// A device, and what went wrong on the way: a stand-in device may come with a problem
// when the real one could not be had.
struct DeviceOpenResult {
  std::unique_ptr<WaveDevice> device;
  DeviceProblem problem = DeviceProblem::None;
};

using WaveDeviceFactory = std::function<DeviceOpenResult(WaveDevice::Completion)>;

}  // namespace audio
