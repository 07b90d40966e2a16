#include "tavrin/edit/RocketClient.h"

#include "orvane/exceptions/Exception.h"

#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace Tavrin::Edit {

namespace {

const std::string ClientGreeting = "hello, synctracker!";
const std::string ServerGreeting = "hello, demo!";
constexpr std::uint8_t SetKeyCommand = 0;
constexpr std::uint8_t GetTrack = 2;
constexpr std::uint8_t SetRowCommand = 3;
// A connect the network leaves unanswered, or a server that never greets back (another program
// on the port), is abandoned after this long and tried again.
constexpr auto ConnectTimeout = std::chrono::seconds(3);

void appendU32(std::string& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += char((value >> shift) & 0xff);
}

std::uint32_t readU32(const std::string& in, size_t at)
{
    std::uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<unsigned char>(in[at + i]);
    return value;
}

float floatOfBits(std::uint32_t bits)
{
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Bytes of each server command, its command byte included; 0 for a command a server never sends.
size_t commandLength(std::uint8_t command)
{
    switch (command) {
    case RocketCommand::SetKey: return 14;
    case RocketCommand::DeleteKey: return 9;
    case RocketCommand::SetRow: return 5;
    case RocketCommand::Pause: return 2;
    case RocketCommand::SaveTracks: return 1;
    default: return 0;
    }
}

std::string errorText(int error) { return std::strerror(error); }

}

std::optional<RocketAddress> parseRocketAddress(const std::string& text)
{
    RocketAddress address;
    size_t colon = text.rfind(':');
    if (colon != 0 && !text.empty())
        address.host = text.substr(0, colon);
    if (colon == std::string::npos)
        return address;
    const char* first = text.data() + colon + 1;
    const char* end = text.data() + text.size();
    unsigned port = 0;
    auto [stop, error] = std::from_chars(first, end, port);
    if (error != std::errc() || stop != end || port == 0 || port > 65535)
        return std::nullopt;
    address.port = std::uint16_t(port);
    return address;
}

RocketClient::RocketClient(const std::string& address, Clock::duration retry)
    : retry_(retry)
{
    std::optional<RocketAddress> parsed = parseRocketAddress(address);
    if (!parsed)
        throw Orvane::Exceptions::Exception("Rocket: \"" + address + "\" has no port from 1 to 65535");
    host_ = parsed->host;
    port_ = parsed->port;
    address_ = host_ + ":" + std::to_string(port_);
}

RocketClient::~RocketClient() { closeSocket(); }

std::vector<RocketCommand> RocketClient::poll()
{
    std::vector<RocketCommand> commands;
    if (state_ == State::Waiting && Clock::now() >= nextAttempt_)
        startConnecting();
    if (state_ == State::Connecting)
        finishConnecting();
    if (linked())
        flush();
    if (!linked())
        return commands;
    // What came before a close is still the editor's word: parse it, then drop the connection.
    std::optional<std::string> closed = readAvailable();
    parseCommands(commands);
    if (closed && linked())
        drop(*closed);
    else if (state_ == State::Greeting && Clock::now() - connectStarted_ > ConnectTimeout)
        drop("no greeting from a Rocket editor");
    return commands;
}

bool RocketClient::takeNewConnection()
{
    bool fresh = newConnection_;
    newConnection_ = false;
    return fresh;
}

void RocketClient::requestTrack(const std::string& name)
{
    if (state_ != State::Ready)
        return;
    output_ += char(GetTrack);
    appendU32(output_, std::uint32_t(name.size()));
    output_ += name;
    ++tracksRequested_;
    flush();
}

void RocketClient::reportRow(std::uint32_t row)
{
    if (state_ != State::Ready)
        return;
    output_ += char(SetRowCommand);
    appendU32(output_, row);
    flush();
}

void RocketClient::sendKey(std::uint32_t track, const RocketKey& key)
{
    if (state_ != State::Ready)
        return;
    std::uint32_t bits = 0;
    std::memcpy(&bits, &key.value, sizeof bits);
    output_ += char(SetKeyCommand);
    appendU32(output_, track);
    appendU32(output_, key.row);
    appendU32(output_, bits);
    output_ += char(key.interpolation);
    flush();
}

// Resolving a name may ask DNS and wait; editors run on this machine or a near one, where it does not.
void RocketClient::startConnecting()
{
    nextAttempt_ = Clock::now() + retry_;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    int resolved = getaddrinfo(host_.c_str(), std::to_string(port_).c_str(), &hints, &found);
    if (resolved != 0)
        return drop(gai_strerror(resolved));
    socket_ = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    int result = socket_ < 0 ? -1 : connect(socket_, found->ai_addr, found->ai_addrlen);
    int error = errno;
    freeaddrinfo(found);
    if (result != 0 && error != EINPROGRESS)
        return drop(errorText(error));
    int on = 1;
    setsockopt(socket_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    state_ = State::Connecting;
    connectStarted_ = Clock::now();
}

void RocketClient::finishConnecting()
{
    pollfd ready{socket_, POLLOUT, 0};
    if (::poll(&ready, 1, 0) == 0) {
        if (Clock::now() - connectStarted_ > ConnectTimeout)
            drop("no answer");
        return;
    }
    int error = 0;
    socklen_t size = sizeof error;
    getsockopt(socket_, SOL_SOCKET, SO_ERROR, &error, &size);
    if (error != 0)
        return drop(errorText(error));
    state_ = State::Greeting;
    input_.clear();
    output_ = ClientGreeting;
}

// Reads what has arrived, up to a bound so that one frame never takes long; says why the
// connection ended when it did.
std::optional<std::string> RocketClient::readAvailable()
{
    constexpr size_t MostPerFrame = 64 * 1024;
    char buffer[4096];
    while (input_.size() < MostPerFrame) {
        ssize_t got = recv(socket_, buffer, sizeof buffer, 0);
        if (got > 0) {
            input_.append(buffer, size_t(got));
            continue;
        }
        if (got == 0)
            return "the editor closed it";
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            return errorText(errno);
        break;
    }
    return std::nullopt;
}

void RocketClient::parseCommands(std::vector<RocketCommand>& commands)
{
    if (state_ == State::Greeting && !parseGreeting())
        return;
    size_t offset = 0;
    while (state_ == State::Ready && offset < input_.size()) {
        RocketCommand command;
        size_t length = 0;
        if (!parseCommand(offset, command, length))
            break;
        commands.push_back(command);
        offset += length;
    }
    if (state_ == State::Ready)
        input_.erase(0, offset);
}

bool RocketClient::parseGreeting()
{
    if (input_.size() < ServerGreeting.size())
        return false;
    if (input_.compare(0, ServerGreeting.size(), ServerGreeting) != 0) {
        drop("it did not answer the greeting as a Rocket editor does");
        return false;
    }
    input_.erase(0, ServerGreeting.size());
    state_ = State::Ready;
    tracksRequested_ = 0;
    newConnection_ = true;
    reportedOutage_ = false;
    std::fprintf(stderr, "Rocket: connected to %s\n", address_.c_str());
    return true;
}

// False for a command not yet whole, and for one that is not allowed (the connection is dropped).
bool RocketClient::parseCommand(size_t at, RocketCommand& command, size_t& length)
{
    auto kind = static_cast<std::uint8_t>(input_[at]);
    length = commandLength(kind);
    if (length == 0) {
        drop("it sent the unknown command " + std::to_string(kind));
        return false;
    }
    if (input_.size() - at < length)
        return false;
    command.kind = RocketCommand::Kind(kind);
    if (kind == RocketCommand::SetKey || kind == RocketCommand::DeleteKey) {
        command.track = readU32(input_, at + 1);
        command.row = readU32(input_, at + 5);
        if (command.track >= tracksRequested_) {
            drop("it sent a key for track " + std::to_string(command.track) + ", which was not asked for");
            return false;
        }
    }
    if (kind == RocketCommand::SetKey) {
        command.value = floatOfBits(readU32(input_, at + 9));
        command.interpolation = static_cast<std::uint8_t>(input_[at + 13]);
        if (!std::isfinite(command.value) || command.interpolation > 3) {
            drop("it sent a key whose value is not a number or whose interpolation is unknown");
            return false;
        }
    }
    if (kind == RocketCommand::SetRow)
        command.row = readU32(input_, at + 1);
    if (kind == RocketCommand::Pause)
        command.paused = input_[at + 1] != 0;
    return true;
}

void RocketClient::flush()
{
    while (!output_.empty() && socket_ >= 0) {
        ssize_t sent = send(socket_, output_.data(), output_.size(), MSG_NOSIGNAL);
        if (sent > 0) {
            output_.erase(0, size_t(sent));
            continue;
        }
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            drop(errorText(errno));
        return;
    }
}

void RocketClient::drop(const std::string& why)
{
    bool wasConnected = state_ == State::Ready || state_ == State::Greeting;
    closeSocket();
    state_ = State::Waiting;
    nextAttempt_ = Clock::now() + retry_;
    if (wasConnected)
        std::fprintf(stderr, "Rocket: lost the connection to %s (%s); retrying every second\n", address_.c_str(),
                     why.c_str());
    else if (!reportedOutage_)
        std::fprintf(stderr, "Rocket: cannot connect to %s (%s); retrying every second\n", address_.c_str(),
                     why.c_str());
    reportedOutage_ = true;
}

void RocketClient::closeSocket()
{
    if (socket_ >= 0)
        close(socket_);
    socket_ = -1;
    input_.clear();
    output_.clear();
}

}
