#include "qt_serial_link.h"

#include <QEventLoop>
#include <QSerialPort>

namespace tallix::window {

namespace {

#ifdef _WIN32
constexpr const char* kAccess = "close the program that has it open";
#else
constexpr const char* kAccess =
    "join the group dialout and log in again, or close the program that has it open";
#endif

class QtSerialLink final : public SerialLink {
 public:
  explicit QtSerialLink(const std::string& device) : device_(device) {
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
    if (!port_.open(QIODevice::ReadWrite)) throw error("cannot be opened");
  }

  std::string read() override {
    port_.clearError();
    port_.waitForReadyRead(0);  // takes in what the system has, without waiting
    // A line whose device went away fails to read (a pseudo-terminal) or is gone (USB).
    if (port_.error() == QSerialPort::ReadError || port_.error() == QSerialPort::ResourceError) {
      throw InputError(device_ + ": unplugged");
    }
    const QByteArray bytes = port_.readAll();
    return bytes.toStdString();
  }

  void write(std::string_view bytes) override {
    port_.write(bytes.data(), static_cast<qint64>(bytes.size()));
    port_.waitForBytesWritten(100);
  }

 private:
  InputError error(const char* what) const {
    switch (port_.error()) {
      case QSerialPort::DeviceNotFoundError:
        return InputError(device_ +
                          ": not found (is the board plugged in, and is the device "
                          "name in tallix.ini right?)");
      case QSerialPort::PermissionError:
        return InputError(device_ + ": permission refused (" + kAccess + ")");
      default:
        return InputError(device_ + " " + what + ": " + port_.errorString().toStdString());
    }
  }

  std::string device_;
  QSerialPort port_;
};

}  // namespace

std::unique_ptr<SerialLink> openSerialLink(const std::string& device) {
  return std::make_unique<QtSerialLink>(device);
}

}  // namespace tallix::window
