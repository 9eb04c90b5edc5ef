#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

namespace quorl {

class OperationHost;
class ReleaseOnSignal;
struct LinkState;

// Line settings of every pager operation: 57,600 baud, 8 data bits, two stop bits,
// no parity.
inline constexpr unsigned kPagerBaud = 57600;
inline constexpr int kPagerByteSize = 8;
inline constexpr int kStopBitsOne = 0;
inline constexpr int kStopBitsOneAndHalf = 1;
inline constexpr int kStopBitsTwo = 2;
inline constexpr int kParityNone = 0;
inline constexpr int kParityOdd = 1;
inline constexpr int kParityEven = 2;

// The serial channel to the programming cradle. One per link (pager_link.h): the
// operation opens it, sends its frames through it, and closes it on every way out.
// A watcher thread (ThreadWatchComm) reads whatever the pager sends and feeds the
// link's reply parser. The port is a tty in raw mode; reads never block, writes wait until
// the driver has taken every byte, and Close releases the watcher's wait at once.
class CCommPort {
public:
    CCommPort(OperationHost& host, LinkState& link);
    ~CCommPort();
    CCommPort(const CCommPort&) = delete;
    CCommPort& operator=(const CCommPort&) = delete;

    // Opens `portName` (a device path) with the given line settings. Shows "Unable to
    // connect to device. " when the device cannot be opened (missing, held by another
    // program, no permission, not a serial device).
    bool Open(const std::string& portName, unsigned baud, int byteSize, int stopBitsCode,
              int parityCode);
    void Close();
    // Bytes written, 0 when not connected or on failure.
    std::size_t Write(const std::uint8_t* bytes, std::size_t count);
    // Bytes read, 0 when nothing is waiting; never blocks.
    std::size_t Read(std::uint8_t* buffer, std::size_t maximum);
    // Bytes the driver holds that nobody has read yet.
    std::size_t waitingBytes() const;
    // Converts the hex text and writes it in pieces of 8 bytes, then the rest.
    void sendHexFrame(std::string_view text);

    bool isConnected() const { return connected_.load() != 0; }
    const std::string& portName() const { return portName_; }

    // Called with the size of every write the channel makes (diagnostics and tests).
    void setWriteObserver(std::function<void(std::size_t)> observer) {
        writeObserver_ = std::move(observer);
    }
    // Called by the watcher after every drain with the bytes that drain took and when
    // its last Read returned (latency measurements).
    void setDrainObserver(std::function<void(std::size_t)> observer) {
        drainObserver_ = std::move(observer);
    }

    // One drain as the watcher makes it on a character-received wake: reset the parser,
    // Read in chunks until nothing is left, feed the parser, set the drain event.
    void drain();

private:
    friend void ThreadWatchComm(CCommPort* port);

    void releaseDescriptors();

    OperationHost& host_;
    LinkState& link_;
    int fd_ = -1;
    // Gives the line back when Ctrl-C, a hang-up or a termination ends the program
    // while it holds the cradle.
    std::unique_ptr<ReleaseOnSignal> releaseOnSignal_;
    int wakePipe_[2] = {-1, -1};
    std::string portName_;
    std::atomic<int> connected_{0};
    std::thread watcher_;
    std::function<void(std::size_t)> writeObserver_;
    std::function<void(std::size_t)> drainObserver_;
};

// The watcher: waits with poll() on the port and the wake-up pipe, and drains the port
// on every character-received wake.
void ThreadWatchComm(CCommPort* port);

} // namespace quorl
