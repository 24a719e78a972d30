// The settings file reader: any bytes as the text of "VELMAR3.INI". Reading
// never fails, and writing the marks into any existing text and reading the
// result back gives the same marks (other lines kept as they were).

#include <string>
#include <string_view>

#include "fuzz/FuzzSupport.h"
#include "store/ProfileText.h"
#include "store/Settings.h"

using namespace velmar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Bytes bytes(data, size);
    const std::uint16_t marks = bytes.U16();
    const std::string_view text = bytes.Rest();

    (void)Settings::Parse(text);
    const ProfileText profile = ProfileText::Parse(text);
    (void)profile.Int("Velmar", "Icone");
    (void)profile.Value("Carta", "Quadro coordinate");

    Settings wanted;
    bool* fields[] = {&wanted.icons,        &wanted.schemeStatus, &wanted.recall,
                      &wanted.pointsStatus, &wanted.labels,       &wanted.brokenLine,
                      &wanted.greatCircle,  &wanted.graticule,    &wanted.coordinatesPanel,
                      &wanted.limitsPanel,  &wanted.scalesPanel,  &wanted.toolsPanel,
                      &wanted.autoPanels};
    for (int i = 0; i < 13; ++i) *fields[i] = (marks >> i) & 1;

    const std::string merged = wanted.Merge(text);
    fuzz::Require(Settings::Parse(merged) == wanted, "written marks do not read back");
    // Writing again changes nothing more.
    fuzz::Require(wanted.Merge(merged) == merged, "a second write changes the file");
    return 0;
}
