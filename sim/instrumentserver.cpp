#include "instrumentserver.h"

#include "benchinstrument.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace
{

constexpr std::size_t MaxLine = 65536;

void WriteAll(int fd, const std::string &text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::send(fd, text.data() + done, text.size() - done, MSG_NOSIGNAL);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd p{fd, POLLOUT, 0};
            if (::poll(&p, 1, 1000) > 0)
                continue;
        }
        return;
    }
}

} // namespace

InstrumentServer::~InstrumentServer()
{
    for (const Client &c : m_clients)
        ::close(c.fd);
    if (m_listen >= 0)
        ::close(m_listen);
}

bool InstrumentServer::Listen(int port, std::string &error)
{
    m_listen = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_listen < 0) {
        error = std::strerror(errno);
        return false;
    }
    const int yes = 1;
    ::setsockopt(m_listen, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(m_listen, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
        ::listen(m_listen, 8) != 0) {
        error = "port " + std::to_string(port) + ": " + std::strerror(errno);
        ::close(m_listen);
        m_listen = -1;
        return false;
    }
    socklen_t length = sizeof address;
    ::getsockname(m_listen, reinterpret_cast<sockaddr *>(&address), &length);
    m_port = ntohs(address.sin_port);
    return true;
}

void InstrumentServer::AddPollFds(std::vector<pollfd> &fds) const
{
    fds.push_back({m_listen, POLLIN, 0});
    for (const Client &c : m_clients)
        fds.push_back({c.fd, POLLIN, 0});
}

void InstrumentServer::Serve(const pollfd *fds, std::size_t count)
{
    if (count == 0)
        return;
    // The clients first: accepting appends to the list the other entries describe.
    std::vector<Client> kept;
    for (std::size_t i = 1; i < count && i - 1 < m_clients.size(); ++i) {
        Client &c = m_clients[i - 1];
        if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR)) || ServeClient(c))
            kept.push_back(std::move(c));
        else
            ::close(c.fd);
    }
    for (std::size_t i = count - 1; i < m_clients.size(); ++i)
        kept.push_back(std::move(m_clients[i]));
    m_clients = std::move(kept);
    if (fds[0].revents & POLLIN)
        Accept();
}

void InstrumentServer::Accept()
{
    for (;;) {
        const int fd = ::accept4(m_listen, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0)
            return;
        const int yes = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
        m_clients.push_back({fd, {}});
    }
}

bool InstrumentServer::ServeClient(Client &client)
{
    char buffer[4096];
    const ssize_t n = ::recv(client.fd, buffer, sizeof buffer, 0);
    if (n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR))
        return false;
    if (n > 0)
        client.input.append(buffer, static_cast<std::size_t>(n));
    std::size_t end = 0;
    while ((end = client.input.find('\n')) != std::string::npos) {
        const std::string line = client.input.substr(0, end);
        client.input.erase(0, end + 1);
        std::string reply;
        if (m_instrument.Handle(line, reply))
            WriteAll(client.fd, reply + "\n");
    }
    return client.input.size() <= MaxLine;
}
