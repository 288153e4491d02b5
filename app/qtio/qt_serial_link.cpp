#include "qt_serial_link.h"

#include <QEventLoop>
#include <QSerialPort>

#include "base/say.h"
#include "port/input_source.h"

namespace tallix::qtio {

namespace {

constexpr int kWriteMs = 100;  // "?" leaves at once, unless the line is stuck

class QtSerialLink final : public SerialLink {
 public:
  QtSerialLink(const std::string& device, const Said& access) : device_(device), access_(access) {
    // The port's socket notifiers need an event dispatcher in the sampling thread, which is no
    // QThread; an event loop object gives the thread one. No loop runs: the port is read with
    // waitForReadyRead.
    QEventLoop dispatcher;
    port_.setPortName(QString::fromStdString(device));
    port_.setBaudRate(QSerialPort::Baud115200);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!port_.open(QIODevice::ReadWrite)) throw error(Say::tr("cannot be opened"));
  }

  std::string read() override {
    port_.clearError();
    port_.waitForReadyRead(0);  // takes in what the system has, without waiting
    // A line whose device went away fails to read (a pseudo-terminal) or is gone (USB).
    if (port_.error() == QSerialPort::ReadError || port_.error() == QSerialPort::ResourceError) {
      throw InputError(Say::tr("%1: unplugged", {device_}));
    }
    const QByteArray bytes = port_.readAll();
    return bytes.toStdString();
  }

  // What the line has not taken within kWriteMs is a failed write.
  void write(std::string_view bytes) override {
    port_.clearError();
    if (port_.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !port_.waitForBytesWritten(kWriteMs) || port_.bytesToWrite() > 0) {
      throw InputError(Say::tr("%1: cannot be written to (unplugged?)", {device_}));
    }
  }

 private:
  InputError error(const Said& what) const {
    switch (port_.error()) {
      case QSerialPort::DeviceNotFoundError:
        return InputError(
            Say::tr("%1: not found (is the board plugged in, and is the device "
                    "name in tallix.ini right?)",
                    {device_}));
      case QSerialPort::PermissionError:
        return InputError(Say::tr("%1: permission refused (%2)", {device_, access_}));
      default:
        return InputError(Say::tr("%1 %2: %3", {device_, what, port_.errorString().toStdString()}));
    }
  }

  std::string device_;
  Said access_;
  QSerialPort port_;
};

}  // namespace

std::unique_ptr<SerialLink> openSerialLink(const std::string& device, const Said& access) {
  return std::make_unique<QtSerialLink>(device, access);
}

}  // namespace tallix::qtio
