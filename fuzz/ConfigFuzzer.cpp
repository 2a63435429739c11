// Feeds arbitrary bytes to the configuration loader and every read of the
// binding, the way the program meets a configuration file it did not write.

#include "config/QuillfenConfig.h"
#include "errors/Errors.h"
#include "export/ExportColumns.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace hollowsweep;

namespace {

// Reads may fail on values that do not convert; that is their contract.
template <class TRead> void Try(TRead read) {
    try {
        read();
    } catch (const TConversionError&) {
    }
}

void ReadItems(TXMLTypedCollection<TXMLItemType>& items) {
    for (int position = 0; position < items.Count(); ++position) {
        const IXMLItemType item = items.Item(position);
        item->GetLabel();
        Try([&] { item->GetValue(); });
    }
}

void ReadEverything(TXMLConfigType& root) {
    Try([&] { root.GetVersionNo(); });
    const IXMLFrameType frame = root.GetFrame();
    frame->GetLeft();
    frame->GetTop();
    Try([&] { frame->GetHeight(); });
    Try([&] { frame->GetWidth(); });
    Try([&] { frame->GetMax(); });
    const IXMLPlLeftType plLeft = frame->GetPlLeft();
    Try([&] { plLeft->GetCol3(); });
    const IXMLPlHintType plHint = frame->GetPlHint();
    Try([&] { plHint->GetCol2(); });
    const IXMLNodesType nodes = root.GetNodes();
    for (int position = 0; position < nodes->Count(); ++position) {
        const IXMLNodeType node = nodes->Item(position);
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
    IXMLConfigType root;
    try {
        root = ParseConfig(text, "input");
    } catch (const TParseError&) {
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
