#pragma once

#include <string>
#include <string_view>

// The page with <base href="BaseUrl"> where a browser takes it for the whole page: right after
// the opening <head> tag (or after a <meta charset> that directly follows it), else after
// <html>, else at the start (after a byte-order mark and a doctype). A page with a <base href>
// of its own is returned as it is: its own base decides. BaseUrl goes in as it stands, so it
// must hold no quote (a percent-encoded address holds none).
std::string WithBaseElement(std::string_view page, std::string_view baseUrl);
