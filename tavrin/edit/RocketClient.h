#pragma once

#include "tavrin/edit/RocketTracks.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Tavrin::Edit {

struct RocketAddress {
    std::string host = "localhost";
    std::uint16_t port = 1338;
};

// "HOST", "HOST:PORT" or empty (localhost:1338); nothing when the port is not 1 to 65535.
std::optional<RocketAddress> parseRocketAddress(const std::string& text);

// What the editor asked for, as one of the protocol's server commands.
struct RocketCommand {
    enum Kind : std::uint8_t { SetKey = 0, DeleteKey = 1, SetRow = 3, Pause = 4, SaveTracks = 5 };
    Kind kind = SetRow;
    std::uint32_t track = 0;
    std::uint32_t row = 0;
    float value = 0.0f;
    std::uint8_t interpolation = 0;
    bool paused = false;
};

// A client of the Rocket sync editor over TCP (integers and float bits in network order). It never
// blocks: poll() once a frame connects, greets, sends what was queued and returns the commands that
// arrived whole. A refused or lost connection is tried again every retry interval, and a server
// that sends what the protocol does not allow is dropped with a message, as a lost one is.
class RocketClient {
public:
    using Clock = std::chrono::steady_clock;

    // Throws Exception for an address parseRocketAddress refuses.
    explicit RocketClient(const std::string& address, Clock::duration retry = std::chrono::seconds(1));
    ~RocketClient();
    RocketClient(const RocketClient&) = delete;
    RocketClient& operator=(const RocketClient&) = delete;

    std::vector<RocketCommand> poll();

    // True once after each completed greeting: the tracks have to be asked for again.
    bool takeNewConnection();
    bool connected() const { return state_ == State::Ready; }

    // Track numbers count the requests of this connection, from 0.
    void requestTrack(const std::string& name);
    void reportRow(std::uint32_t row);
    // Sets a key in the editor, on one of the tracks this connection asked for.
    void sendKey(std::uint32_t track, const RocketKey& key);

    const std::string& address() const { return address_; }

private:
    enum class State { Waiting, Connecting, Greeting, Ready };

    void startConnecting();
    void finishConnecting();
    std::optional<std::string> readAvailable();
    bool linked() const { return state_ == State::Greeting || state_ == State::Ready; }
    void parseCommands(std::vector<RocketCommand>& commands);
    bool parseGreeting();
    bool parseCommand(size_t at, RocketCommand& command, size_t& length);
    void flush();
    void drop(const std::string& why);
    void closeSocket();

    std::string host_;
    std::uint16_t port_ = 1338;
    std::string address_;
    Clock::duration retry_;
    Clock::time_point nextAttempt_{};
    Clock::time_point connectStarted_{};
    State state_ = State::Waiting;
    int socket_ = -1;
    std::string input_, output_;
    std::uint32_t tracksRequested_ = 0;
    bool newConnection_ = false;
    bool reportedOutage_ = false;
};

}
