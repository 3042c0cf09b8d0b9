// A private network for tests: the calling thread moves into a network namespace of its own
// that holds only the loopback interface, so that tests may broadcast and run an mDNS daemon
// without a packet reaching the machine's real interfaces.
//
// The namespace belongs to the thread that made the object: the threads and processes it starts
// meanwhile are in it too; other threads are not. The thread returns to its former namespace when
// the object ends; the namespace itself ends with the last socket and process in it. Making one
// needs the privilege to make network namespaces (root); without it the object says why.
#pragma once

#include <string>

namespace nettest {

class PrivateNetwork {
  public:
    /// Enters a new network namespace with the loopback interface up and a route that takes the
    /// limited broadcast 255.255.255.255 to it from 127.0.0.1.
    PrivateNetwork();
    ~PrivateNetwork();
    PrivateNetwork(const PrivateNetwork&) = delete;
    PrivateNetwork& operator=(const PrivateNetwork&) = delete;

    /// Whether the thread is in the private network; otherwise error() says why not.
    bool entered() const { return entered_; }
    const std::string& error() const { return error_; }

  private:
    bool setUp();

    int formerNamespace_ = -1;
    bool entered_ = false;
    std::string error_;
};

}  // namespace nettest
