#pragma once

// The bench's test set on a TCP port of 127.0.0.1: raw SCPI, one line per message, any
// number of controllers. Runs inside the simulator's poll loop.

#include <poll.h>

#include <string>
#include <vector>

class BenchInstrument;

class InstrumentServer
{
public:
    explicit InstrumentServer(BenchInstrument &instrument) : m_instrument(instrument) {}
    ~InstrumentServer();
    InstrumentServer(const InstrumentServer &) = delete;
    InstrumentServer &operator=(const InstrumentServer &) = delete;

    // Listens on 127.0.0.1:port (0: any free port); false with a reason.
    bool Listen(int port, std::string &error);
    int port() const { return m_port; }

    // The sockets to wait on, appended to fds; then Serve with what poll saw for them.
    void AddPollFds(std::vector<pollfd> &fds) const;
    void Serve(const pollfd *fds, std::size_t count);

private:
    struct Client {
        int fd;
        std::string input;
    };
    void Accept();
    bool ServeClient(Client &client); // false when it is gone

    BenchInstrument &m_instrument;
    int m_listen = -1;
    int m_port = 0;
    std::vector<Client> m_clients;
};
