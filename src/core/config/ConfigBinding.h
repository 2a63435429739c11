#pragma once

// Typed access to the configuration document: one class per element kind, an
// accessor pair per attribute. Every object is a thin view on one element of
// the shared tree: reads go to the tree each time and writes change it at once.

#include "core/config/XMLNodeCollection.h"

#include <cstdint>
#include <memory>
#include <string>

namespace hollowsweep {

class ConfigRoot;
class FrameSetting;
class LeftPanelSetting;
class HintPanelSetting;
class ColumnSettings;
class ColumnSetting;
class AgeRanges;
class SizeRanges;
class RangeItem;

using ConfigRootPtr = std::shared_ptr<ConfigRoot>;
using FrameSettingPtr = std::shared_ptr<FrameSetting>;
using LeftPanelSettingPtr = std::shared_ptr<LeftPanelSetting>;
using HintPanelSettingPtr = std::shared_ptr<HintPanelSetting>;
using ColumnSettingsPtr = std::shared_ptr<ColumnSettings>;
using ColumnSettingPtr = std::shared_ptr<ColumnSetting>;
using AgeRangesPtr = std::shared_ptr<AgeRanges>;
using SizeRangesPtr = std::shared_ptr<SizeRanges>;
using RangeItemPtr = std::shared_ptr<RangeItem>;

// Parses a configuration file and returns its root. A file that cannot be
// read raises IOError; one that does not parse, or whose root element is not
// "config", raises ParseError naming the file.
ConfigRootPtr LoadConfig(const std::string& path);
// The same for a configuration held as text; errors name the source.
ConfigRootPtr ParseConfig(std::string_view text, const std::string& source);

class ConfigRoot final : public XMLNode {
public:
    using XMLNode::XMLNode;

    std::int32_t GetVersionNo();
    FrameSettingPtr GetFrame();
    ColumnSettingsPtr GetNodes();
    AgeRangesPtr GetAgerange();
    SizeRangesPtr GetSizerange();
    void SetVersionNo(std::int32_t value);
};

class FrameSetting final : public XMLNode {
public:
    using XMLNode::XMLNode;

    std::string GetLeft();
    std::string GetTop();
    std::int32_t GetHeight();
    std::int32_t GetWidth();
    bool GetMax();
    LeftPanelSettingPtr GetPlLeft();
    HintPanelSettingPtr GetPlHint();
    void SetLeft(const std::string& value);
    void SetTop(const std::string& value);
    void SetHeight(std::int32_t value);
    void SetWidth(std::int32_t value);
    void SetMax(bool value);
};

class LeftPanelSetting final : public XMLNode {
public:
    using XMLNode::XMLNode;

    std::int32_t GetWidth();
    std::int32_t GetCol1();
    std::int32_t GetCol2();
    std::int32_t GetCol3();
    void SetWidth(std::int32_t value);
    void SetCol1(std::int32_t value);
    void SetCol2(std::int32_t value);
    void SetCol3(std::int32_t value);
};

class HintPanelSetting final : public XMLNode {
public:
    using XMLNode::XMLNode;

    std::int32_t GetHeight();
    std::int32_t GetCol1();
    std::int32_t GetCol2();
    void SetHeight(std::int32_t value);
    void SetCol1(std::int32_t value);
    void SetCol2(std::int32_t value);
};

// One list column.
class ColumnSetting final : public XMLNode {
public:
    using XMLNode::XMLNode;

    std::string GetName();
    bool GetDefaultExport();
    bool GetReadOnly();
    std::string GetAlign();
    std::int32_t GetWidth();
    bool GetVisible();
    std::int32_t GetIndex();
    void SetName(const std::string& value);
    void SetDefaultExport(bool value);
    void SetReadOnly(bool value);
    void SetAlign(const std::string& value);
    void SetWidth(std::int32_t value);
    void SetVisible(bool value);
    void SetIndex(std::int32_t value);
};

class RangeItem final : public XMLNode {
public:
    using XMLNode::XMLNode;

    std::string GetLabel();
    std::int32_t GetValue();
    void SetLabel(const std::string& value);
    void SetValue(std::int32_t value);
};

class ColumnSettings final : public XMLTypedCollection<ColumnSetting> {
public:
    ColumnSettings(std::shared_ptr<XMLTree> document, pugi::xml_node_struct* node)
        : XMLTypedCollection(std::move(document), node, "node") {}
};

class AgeRanges final : public XMLTypedCollection<RangeItem> {
public:
    AgeRanges(std::shared_ptr<XMLTree> document, pugi::xml_node_struct* node)
        : XMLTypedCollection(std::move(document), node, "item") {}
};

class SizeRanges final : public XMLTypedCollection<RangeItem> {
public:
    SizeRanges(std::shared_ptr<XMLTree> document, pugi::xml_node_struct* node)
        : XMLTypedCollection(std::move(document), node, "item") {}
};

} // namespace hollowsweep
