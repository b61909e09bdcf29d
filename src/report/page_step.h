// How the library answered one of the page's requests: done (the answer is
// JSON), refused (the answer says why, for the person), or not understood
// (the answer names the member the page got wrong: a fault of the page).
#pragma once

namespace tarivox::report {

enum class PageStep { Done, Refused, NotUnderstood };

}  // namespace tarivox::report
