// Feeds arbitrary bytes to the configuration loader and every read of the
// binding, the way the program meets a configuration file it did not write.

#include "core/config/ConfigBinding.h"
#include "core/errors/Errors.h"
#include "core/export/ExportColumns.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace hollowsweep;

namespace {

// Reads may fail on values that do not convert; that is their contract.
template <class ReadCall> void Try(ReadCall read) {
    try {
        read();
    } catch (const ConversionError&) {
    }
}

void ReadItems(XMLTypedCollection<RangeItem>& items) {
    for (int position = 0; position < items.Count(); ++position) {
        const RangeItemPtr item = items.Item(position);
        item->GetLabel();
        Try([&] { item->GetValue(); });
    }
}

void ReadEverything(ConfigRoot& root) {
    Try([&] { root.GetVersionNo(); });
    const FrameSettingPtr frame = root.GetFrame();
    frame->GetLeft();
    frame->GetTop();
    Try([&] { frame->GetHeight(); });
    Try([&] { frame->GetWidth(); });
    Try([&] { frame->GetMax(); });
    const LeftPanelSettingPtr plLeft = frame->GetPlLeft();
    Try([&] { plLeft->GetCol3(); });
    const HintPanelSettingPtr plHint = frame->GetPlHint();
    Try([&] { plHint->GetCol2(); });
    const ColumnSettingsPtr nodes = root.GetNodes();
    for (int position = 0; position < nodes->Count(); ++position) {
        const ColumnSettingPtr node = nodes->Item(position);
        node->GetName();
        node->GetAlign();
        Try([&] { node->GetDefaultExport(); });
        Try([&] { node->GetReadOnly(); });
        Try([&] { node->GetWidth(); });
        Try([&] { node->GetVisible(); });
        Try([&] { node->GetIndex(); });
    }
    ReadItems(*root.GetAgerange());
    ReadItems(*root.GetSizerange());
    Try([&] { GetExportColumns(root); });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ConfigRootPtr root;
    try {
        root = ParseConfig(text, "input");
    } catch (const ParseError&) {
        return 0;
    }
    ReadEverything(*root);
    // What a save writes must load again and say the same.
    const std::string saved = root->Markup();
    if (ParseConfig(saved, "saved")->Markup() != saved) {
        std::abort();
    }
    return 0;
}
