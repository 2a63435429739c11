#pragma once

// Typed access to the configuration document: one class per element kind, an
// accessor pair per attribute. Every object is a thin view on one element of
// the shared tree: reads go to the tree each time and writes change it at once.

#include "config/XMLNodeCollection.h"

#include <cstdint>
#include <memory>
#include <string>

namespace hollowsweep {

class TXMLConfigType;
class TXMLFrameType;
class TXMLPlLeftType;
class TXMLPlHintType;
class TXMLNodesType;
class TXMLNodeType;
class TXMLAgerangeType;
class TXMLSizerangeType;
class TXMLItemType;

using IXMLConfigType = std::shared_ptr<TXMLConfigType>;
using IXMLFrameType = std::shared_ptr<TXMLFrameType>;
using IXMLPlLeftType = std::shared_ptr<TXMLPlLeftType>;
using IXMLPlHintType = std::shared_ptr<TXMLPlHintType>;
using IXMLNodesType = std::shared_ptr<TXMLNodesType>;
using IXMLNodeType = std::shared_ptr<TXMLNodeType>;
using IXMLAgerangeType = std::shared_ptr<TXMLAgerangeType>;
using IXMLSizerangeType = std::shared_ptr<TXMLSizerangeType>;
using IXMLItemType = std::shared_ptr<TXMLItemType>;

// Parses a configuration file and returns its root. A file that cannot be
// read raises TIOError; one that does not parse, or whose root element is not
// "config", raises TParseError naming the file.
IXMLConfigType LoadConfig(const std::string& path);
// The same for a configuration held as text; errors name the source.
IXMLConfigType ParseConfig(std::string_view text, const std::string& source);

class TXMLConfigType final : public TXMLNode {
public:
    using TXMLNode::TXMLNode;

    std::int32_t GetVersionNo();
    IXMLFrameType GetFrame();
    IXMLNodesType GetNodes();
    IXMLAgerangeType GetAgerange();
    IXMLSizerangeType GetSizerange();
    void SetVersionNo(std::int32_t value);
};

class TXMLFrameType final : public TXMLNode {
public:
    using TXMLNode::TXMLNode;

    std::string GetLeft();
    std::string GetTop();
    std::int32_t GetHeight();
    std::int32_t GetWidth();
    bool GetMax();
    IXMLPlLeftType GetPlLeft();
    IXMLPlHintType GetPlHint();
    void SetLeft(const std::string& value);
    void SetTop(const std::string& value);
    void SetHeight(std::int32_t value);
    void SetWidth(std::int32_t value);
    void SetMax(bool value);
};

class TXMLPlLeftType final : public TXMLNode {
public:
    using TXMLNode::TXMLNode;

    std::int32_t GetWidth();
    std::int32_t GetCol1();
    std::int32_t GetCol2();
    std::int32_t GetCol3();
    void SetWidth(std::int32_t value);
    void SetCol1(std::int32_t value);
    void SetCol2(std::int32_t value);
    void SetCol3(std::int32_t value);
};

class TXMLPlHintType final : public TXMLNode {
public:
    using TXMLNode::TXMLNode;

    std::int32_t GetHeight();
    std::int32_t GetCol1();
    std::int32_t GetCol2();
    void SetHeight(std::int32_t value);
    void SetCol1(std::int32_t value);
    void SetCol2(std::int32_t value);
};

// One list column.
class TXMLNodeType final : public TXMLNode {
public:
    using TXMLNode::TXMLNode;

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

class TXMLItemType final : public TXMLNode {
public:
    using TXMLNode::TXMLNode;

    std::string GetLabel();
    std::int32_t GetValue();
    void SetLabel(const std::string& value);
    void SetValue(std::int32_t value);
};

class TXMLNodesType final : public TXMLTypedCollection<TXMLNodeType> {
public:
    TXMLNodesType(std::shared_ptr<TXMLTree> document, pugi::xml_node_struct* node)
        : TXMLTypedCollection(std::move(document), node, "node") {}
};

class TXMLAgerangeType final : public TXMLTypedCollection<TXMLItemType> {
public:
    TXMLAgerangeType(std::shared_ptr<TXMLTree> document, pugi::xml_node_struct* node)
        : TXMLTypedCollection(std::move(document), node, "item") {}
};

class TXMLSizerangeType final : public TXMLTypedCollection<TXMLItemType> {
public:
    TXMLSizerangeType(std::shared_ptr<TXMLTree> document, pugi::xml_node_struct* node)
        : TXMLTypedCollection(std::move(document), node, "item") {}
};

} // namespace hollowsweep
