#pragma once

#include "tests/support/RegistryServer.h"
#include "tests/support/ServerConnection.h"

#include <optional>
#include <string>

// Reading one request and writing one scripted answer on a test server connection.
namespace testsupport {

// Reads the next request; `pending` carries bytes that arrived beyond it to the next call.
// Nothing when the client closed (or sent more than the limit) before the head was complete;
// a body cut short by the client is recorded as far as it came.
std::optional<RecordedRequest> ReadRequest(ServerConnection& connection, std::string& pending);

// Writes the answer as scripted. True when the connection is to stay open for another
// request: a formed, well-behaved answer that carries "Connection: keep-alive".
bool SendAnswer(ServerConnection& connection, const ScriptedAnswer& answer);

} // namespace testsupport
