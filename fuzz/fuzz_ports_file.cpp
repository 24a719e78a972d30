// The ports file reader and SplitPortLine: any bytes as the text of
// "PORTI.TXT" (quotes, commas, empty and very long lines, bytes outside
// ASCII). Every port read must be a port the scheme can take, every line
// must be accounted for, and a line split must rebuild into itself.

#include <string>
#include <string_view>

#include "fuzz/FuzzSupport.h"
#include "store/PortsFile.h"

using namespace velmar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const PortsList list = ParsePorts(text);
    fuzz::Require(list.status == PortsStatus::Ok, "parsed text not Ok");
    for (const Port& port : list.ports) {
        fuzz::Require(std::isfinite(port.latitude) && std::fabs(port.latitude) <= 90,
                      "a port latitude out of range");
        fuzz::Require(std::isfinite(port.longitude) && std::fabs(port.longitude) <= 180,
                      "a port longitude out of range");
    }
    std::size_t breaks = 0;
    for (const char c : text) breaks += c == '\n' || c == '\r';
    fuzz::Require(list.ports.size() + static_cast<std::size_t>(list.skippedLines) <= breaks + 1,
                  "more ports and skipped lines than lines");
    fuzz::Require(
        !PortPosition(list, -1) && !PortPosition(list, static_cast<int>(list.ports.size())),
        "a port outside the list");

    // The whole input as one line: a valid split without quotes is the line's
    // three comma-separated fields.
    if (const auto fields = SplitPortLine(text)) {
        if (text.find('"') == std::string_view::npos) {
            fuzz::Require(fields->name + "," + fields->latitude + "," + fields->longitude == text,
                          "an unquoted split does not rebuild the line");
            fuzz::Require(fields->longitude.find(',') == std::string::npos,
                          "an unquoted longitude holds a comma");
        }
    }
    return 0;
}
