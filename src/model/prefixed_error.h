#pragma once

#include <exception>
#include <string>
#include <string_view>

// An error whose message begins with the prefix of the class that raises it.
class TPrefixedError : public std::exception {
public:
    TPrefixedError(std::string_view prefix, std::string_view message) : Message(prefix) {
        Message += message;
    }
    const char* what() const noexcept override { return Message.c_str(); }

private:
    std::string Message;
};
