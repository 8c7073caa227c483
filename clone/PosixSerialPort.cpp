#include "PosixSerialPort.h"

#include "clone/PortFactory.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>


// The kernel's termios with free input and output speeds (not in the C library's headers).
struct termios2 {
    tcflag_t c_iflag;
    tcflag_t c_oflag;
    tcflag_t c_cflag;
    tcflag_t c_lflag;
    cc_t c_line;
    cc_t c_cc[19];
    speed_t c_ispeed;
    speed_t c_ospeed;
};

namespace {

constexpr size_t kMaxRead = 256;
constexpr int kWriteTimeoutMs = 3000;
constexpr tcflag_t kOtherBaud = 0x00001000;

speed_t SpeedConstant(uint32_t speed) {
    switch (speed) {
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    default:
        return 0;
    }
}

// Speeds without a termios constant (14400, 28800) go through termios2.
bool SetOtherSpeed(int fd, uint32_t speed) {
    termios2 tio{};
    if (::ioctl(fd, TCGETS2, &tio) != 0)
        return false;
    tio.c_cflag &= ~static_cast<tcflag_t>(CBAUD);
    tio.c_cflag |= kOtherBaud;
    tio.c_ispeed = speed;
    tio.c_ospeed = speed;
    return ::ioctl(fd, TCSETS2, &tio) == 0;
}

// Modem-line calls a pseudo-terminal refuses are not failures.
bool ModemLineOk(int result) {
    return result == 0 || errno == ENOTTY || errno == EINVAL;
}

} // namespace

std::unique_ptr<CSerialPort> MakeSystemSerialPort(const CPortSettings& settings) {
    return std::make_unique<CPosixSerialPort>(settings);
}

std::string PortInUseText(const std::string& name) {
    return CPosixSerialPort::OpenFailureText(name, EBUSY);
}

CPosixSerialPort::~CPosixSerialPort() {
    Close();
}

std::string CPosixSerialPort::OpenFailureText(const std::string& path, int error) {
    std::string text = " not Open \n" + path + ": " + std::strerror(error);
    if (error == EACCES || error == EPERM)
        text += "\nTo get access, add your user to the \"dialout\" group "
                "(sudo usermod -aG dialout $USER) and log in again.";
    return text;
}

bool CPosixSerialPort::OpenPort(const std::string& name, uint32_t speed, uint32_t) {
    const std::string path = m_settings.Resolve(name);
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        ReportError(OpenFailureText(path, error), error);
        return false;
    }
    // Exclusive: no second open of the device, not even by another program of ours.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno == EWOULDBLOCK ? EBUSY : errno;
        ::close(fd);
        ReportError(OpenFailureText(path, error), error);
        return false;
    }
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) {
        ::close(fd);
        return false;
    }
    ::ioctl(fd, TIOCEXCL);
    ::tcflush(fd, TCIOFLUSH);
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CREAD | CLOCAL;
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    const speed_t constant = SpeedConstant(speed);
    bool ok = true;
    if (constant) {
        ok = ::cfsetispeed(&tio, constant) == 0 && ::cfsetospeed(&tio, constant) == 0;
    }
    ok = ok && ::tcsetattr(fd, TCSANOW, &tio) == 0;
    if (ok && !constant)
        ok = SetOtherSpeed(fd, speed);
    if (ok) {
        const int dtr = TIOCM_DTR, rts = TIOCM_RTS;
        ok = ModemLineOk(::ioctl(fd, TIOCMBIC, &dtr)) && ModemLineOk(::ioctl(fd, TIOCMBIS, &rts));
    }
    if (!ok) {
        const int error = errno;
        ::ioctl(fd, TIOCNXCL);
        ::close(fd);
        ReportError(" invarid setting ", error);
        return false;
    }
    m_fd = fd;
    return true;
}

void CPosixSerialPort::Close() {
    if (m_fd < 0)
        return;
    ::tcflush(m_fd, TCIOFLUSH);
    ::ioctl(m_fd, TIOCNXCL);
    ::close(m_fd);
    m_fd = -1;
}

bool CPosixSerialPort::Write(const uint8_t* data, size_t length) {
    if (m_fd < 0)
        return false;
    size_t done = 0;
    while (done < length) {
        const ssize_t n = ::write(m_fd, data + done, length - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        pollfd p{m_fd, POLLOUT, 0};
        if (n < 0 && errno == EAGAIN && ::poll(&p, 1, kWriteTimeoutMs) > 0 &&
            (p.revents & POLLOUT))
            continue;
        const int error = n < 0 && errno != EAGAIN ? errno : ETIMEDOUT;
        ReportError(" write error ", error);
        return false;
    }
    return true;
}

bool CPosixSerialPort::Read(uint8_t* buffer, size_t maxLength, size_t& count) {
    count = 0;
    if (m_fd < 0)
        return false;
    int waiting = 0;
    if (::ioctl(m_fd, FIONREAD, &waiting) != 0)
        waiting = 0;
    const size_t n = std::min({maxLength, static_cast<size_t>(std::max(waiting, 0)), kMaxRead});
    if (n == 0)
        return false;
    ssize_t got;
    do {
        got = ::read(m_fd, buffer, n);
    } while (got < 0 && errno == EINTR);
    if (got < 0 && errno == EAGAIN)
        return false;
    if (got <= 0) {
        ReportError(" read error ", got < 0 ? errno : EIO);
        return false;
    }
    count = static_cast<size_t>(got);
    return true;
}

bool CPosixSerialPort::WaitReadable(int timeoutMs) {
    if (m_fd < 0)
        return false;
    pollfd p{m_fd, POLLIN, 0};
    int result;
    do {
        result = ::poll(&p, 1, std::max(timeoutMs, 0));
    } while (result < 0 && errno == EINTR);
    if (result > 0 && (p.revents & POLLIN))
        return true;
    // A hung-up line wakes poll at once: sit out the time instead of letting the caller spin.
    if (result > 0 && timeoutMs > 0)
        ::poll(nullptr, 0, timeoutMs);
    return false;
}

void CPosixSerialPort::Flush() {
    if (m_fd >= 0)
        ::tcdrain(m_fd);
}
