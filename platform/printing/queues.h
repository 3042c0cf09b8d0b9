// The print queues of the machine as the CUPS server knows them.
#pragma once

#include <string>
#include <vector>

namespace printing {

/// One print queue.
struct Queue {
    std::string name;       ///< the queue's name, its identifier on the server
    std::string deviceUri;  ///< the device URI as the server holds it, "" when it gives none
    bool remote = false;    ///< a queue of another machine or one only discovered on the network
};

/// The queues of the default CUPS server (CUPS_SERVER, the client configuration, else the local
/// scheduler), in the server's order; instances of a queue are left out. Empty when the server
/// cannot be reached.
std::vector<Queue> localQueues();

}  // namespace printing
