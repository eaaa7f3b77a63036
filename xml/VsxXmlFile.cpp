#include "xml/VsxXmlFile.h"

#include "platform/FileSystem.h"

// `head` is named as a letter order's child whatever the root is called.
CVsxXmlFile::CVsxXmlFile()
    : CXmlReadFrame(
          Rules{.topElement = u"head", .topParent = u"letter-order", .notThisKindMessage = 224}) {}

void CVsxXmlFile::Load(XmlFileInfo& info, const std::u16string& path) {
    m_loaded = false;
    m_insideTitle = false;
    m_insideComment = false;
    const fs::PathParts parts = fs::SplitPath(path);
    info.title.clear();
    info.comment.clear();
    info.path = path;
    info.fileName = parts.name + parts.extension;
    m_info = &info;
    Parse(path);
    m_info = nullptr;
    m_loaded = true;
}

void CVsxXmlFile::OnStartElement(std::u16string_view name, xercesc::AttributeList&) {
    if (IsElement(name, u"title")) {
        RequireInside(InsideTop() && Depth() == 2, u"title", u"head");
        m_insideTitle = true;
    } else if (IsElement(name, u"comment")) {
        RequireInside(InsideTop() && Depth() == 2, u"comment", u"head");
        m_insideComment = true;
    }
}

void CVsxXmlFile::OnEndElement(std::u16string_view name) {
    if (IsElement(name, u"title")) {
        m_insideTitle = false;
    } else if (IsElement(name, u"comment")) {
        m_insideComment = false;
    }
}

void CVsxXmlFile::OnCharacters(std::u16string_view text) {
    if (m_insideTitle) {
        m_info->title.append(text);
    } else if (m_insideComment) {
        m_info->comment.append(text);
    }
}
