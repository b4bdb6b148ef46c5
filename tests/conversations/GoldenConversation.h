#pragma once

#include <string>

namespace norda::test {

// Compares a recorded conversation with tests/data/conversations/NAME.txt, line by line.
// With NORDA_REWRITE_CONVERSATIONS=1 in the environment it writes the file instead.
void ExpectConversation(const std::string& name, const std::string& recorded);

}  // namespace norda::test
