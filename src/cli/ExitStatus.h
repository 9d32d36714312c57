#pragma once

// How a command ended. Each outcome has a name of its own; ExitStatusOf gives the number
// the user sees.
enum class CliStatus { Success, NoTemplate, NotFetched, NotVerified, SomethingFound, BadInput };

// The documented exit statuses: 0 success; 1 no template to make the page with, an update
// description that could not be fetched, an update folder that did not verify, or a checked
// template with findings; 2 wrong arguments, unreadable input or a page that cannot be written.
constexpr int ExitStatusOf(CliStatus status) {
    switch (status) {
    case CliStatus::Success:
        return 0;
    case CliStatus::NoTemplate:
    case CliStatus::NotFetched:
    case CliStatus::NotVerified:
    case CliStatus::SomethingFound:
        return 1;
    case CliStatus::BadInput:
        break;
    }
    return 2;
}
