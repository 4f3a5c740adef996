#include "lxiinstrument.h"

#include "instrumentaddress.h"

#include <lxi.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <dirent.h>
#include <mutex>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <set>
#include <sys/socket.h>
#include <unistd.h>

// liblxi moves the bytes. On a raw connection we wait on its socket ourselves: its own waits
// print "Error: Timeout" for every empty poll, cannot last a second, and its send loops for
// ever on a broken connection.

namespace
{

constexpr int SendTimeoutMs = 900;
constexpr int DrainMs = 50;

void InitOnce()
{
    static std::once_flag once;
    std::call_once(once, [] {
        lxi_init();
        // A lost instrument must give an error, not end the program.
        std::signal(SIGPIPE, SIG_IGN);
    });
}

double NowMs()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

std::set<int> OpenSockets()
{
    std::set<int> sockets;
    DIR *dir = ::opendir("/proc/self/fd");
    if (!dir)
        return sockets;
    while (const dirent *entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.empty() || name[0] == '.')
            continue;
        char target[64] = {};
        const std::string link = "/proc/self/fd/" + name;
        const ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
        if (n > 7 && std::string(target, 7) == "socket:")
            sockets.insert(std::stoi(name));
    }
    ::closedir(dir);
    return sockets;
}

// Waits up to timeoutMs for the socket; 1 ready, 0 nothing yet, -1 broken.
int WaitFor(int socket, short events, int timeoutMs)
{
    pollfd p{socket, events, 0};
    int n = 0;
    do {
        n = ::poll(&p, 1, std::max(0, timeoutMs));
    } while (n < 0 && errno == EINTR);
    if (n < 0 || (p.revents & (POLLERR | POLLNVAL)))
        return -1;
    if (n == 0)
        return 0;
    if (p.revents & POLLIN) {
        char c = 0;
        const ssize_t peek = ::recv(socket, &c, 1, MSG_PEEK | MSG_DONTWAIT);
        if (peek == 0 || (peek < 0 && errno != EAGAIN && errno != EWOULDBLOCK))
            return -1;
    } else if (p.revents & POLLHUP) {
        return -1;
    }
    return (p.revents & events) ? 1 : 0;
}

} // namespace

LxiInstrument::LxiInstrument()
{
    InitOnce();
}

LxiInstrument::~LxiInstrument()
{
    disconnect();
}

bool LxiInstrument::connect(const std::string &address, int timeoutMs)
{
    disconnect();
    InstrumentAddress a;
    if (!ParseInstrumentAddress(address, a, m_error))
        return false;
    if (a.kind == InstrumentAddress::Kind::Serial) {
        m_error = "\"" + address + "\" is a serial line, not a network instrument.";
        return false;
    }
    m_raw = a.kind == InstrumentAddress::Kind::Tcp;
    const std::set<int> before = OpenSockets();
    m_device = lxi_connect(a.host.c_str(), m_raw ? a.port : 0, m_raw ? nullptr : "inst0", timeoutMs,
                           m_raw ? RAW : VXI11);
    if (m_device < 0) {
        m_device = -1;
        m_error = "No instrument answers at " + address + ".";
        return false;
    }
    m_socket = -1;
    if (m_raw) {
        std::set<int> added;
        for (int fd : OpenSockets())
            if (!before.count(fd))
                added.insert(fd);
        if (added.size() == 1) {
            m_socket = *added.begin();
            // A command followed by a query would otherwise wait for the delayed ACK.
            const int yes = 1;
            ::setsockopt(m_socket, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
        }
    }
    m_address = address;
    m_pending.clear();
    m_stale = false;
    // A raw connection to a port nobody listens on looks made until the first exchange.
    if (!Alive()) {
        disconnect();
        m_error = "No instrument answers at " + address + ".";
        return false;
    }
    return true;
}

void LxiInstrument::disconnect()
{
    if (m_device >= 0)
        lxi_disconnect(m_device);
    m_device = -1;
    m_socket = -1;
}

bool LxiInstrument::Alive() const
{
    return m_socket < 0 || WaitFor(m_socket, POLLIN, 0) >= 0;
}

void LxiInstrument::Lost()
{
    disconnect();
    m_error = "The connection to " + m_address + " was lost.";
}

bool LxiInstrument::Send(const std::string &command)
{
    if (m_device < 0) {
        m_error = "No instrument is connected.";
        return false;
    }
    if (m_socket >= 0 && WaitFor(m_socket, POLLOUT, SendTimeoutMs) <= 0) {
        Lost();
        return false;
    }
    const std::string line = command + "\n";
    if (!Alive() || lxi_send(m_device, line.data(), static_cast<int>(line.size()), SendTimeoutMs) !=
                        static_cast<int>(line.size())) {
        Lost();
        return false;
    }
    return true;
}

bool LxiInstrument::write(const std::string &command)
{
    return Send(command);
}

// Collects bytes until a line feed; the rest waits for the next reply.
bool LxiInstrument::ReceiveLine(std::string &line, int timeoutMs)
{
    const double deadline = NowMs() + timeoutMs;
    char buffer[4096];
    for (;;) {
        const auto end = m_pending.find('\n');
        if (end != std::string::npos) {
            line = m_pending.substr(0, end);
            m_pending.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            return true;
        }
        const int left = static_cast<int>(deadline - NowMs());
        if (left <= 0)
            return false;
        if (m_socket >= 0) {
            const int ready = WaitFor(m_socket, POLLIN, left);
            if (ready < 0) {
                Lost();
                return false;
            }
            if (ready == 0)
                continue;
        }
        const int n = lxi_receive(m_device, buffer, sizeof buffer, m_socket >= 0 ? 0 : left);
        if (n > 0)
            m_pending.append(buffer, static_cast<std::size_t>(n));
        else if (m_socket < 0)
            return false; // VXI-11 hands whole messages: an error is no partial line
    }
}

bool LxiInstrument::query(const std::string &command, std::string &reply, int timeoutMs)
{
    if (m_stale) {
        // A late reply to a query that timed out must not answer this one.
        std::string late;
        while (m_device >= 0 && ReceiveLine(late, DrainMs)) {
        }
        m_pending.clear();
        m_stale = false;
    }
    if (!Send(command))
        return false;
    if (ReceiveLine(reply, timeoutMs))
        return true;
    if (m_device >= 0) {
        m_stale = true;
        m_error = "The instrument did not answer \"" + command + "\".";
    }
    return false;
}
