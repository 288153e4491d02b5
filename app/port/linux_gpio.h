// GPIO lines of a chip through libgpiod (version 1): the lines the pin map names, inputs with
// pull-ups, watched on both edges and counted at the kernel's timestamps of the edges. The
// input numbers are the lines' offsets on the chip.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "input_kinds.h"
#include "input_source.h"

struct gpiod_chip;
struct gpiod_line_bulk;

namespace tallix {

class GpioInput final : public RawInput {
 public:
  // `chip`: gpiochip0, /dev/gpiochip0 or the chip's number or label; `inputs`: a mask of the
  // lines to watch; `access`: what the player must do to be let at the chip.
  GpioInput(std::string chip, std::uint32_t inputs, Said access);
  ~GpioInput() override;

  void open(std::int64_t nowMs) override;
  std::int64_t read(std::int64_t nowMs, LevelSink& out) override;
  void close() override;

 private:
  std::string chip_;
  Said access_;
  std::array<unsigned, 32> offsets_{};  // of the lines watched
  unsigned count_ = 0;
  gpiod_chip* opened_ = nullptr;
  std::unique_ptr<gpiod_line_bulk> watched_;
  std::uint32_t levels_ = 0;
  bool told_ = false;  // the levels at the open have been handed on
};

// source=gpio: the lines of the pin map.
std::unique_ptr<RawInput> makeGpioInput(const InputRequest& request);

}  // namespace tallix
