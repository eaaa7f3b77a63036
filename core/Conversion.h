#pragma once

#include "core/FontData.h"
#include "core/FontPreview.h"

class CFontReader;
class CFontWriter;
class ICharSelection;

// One conversion as both programs run it: a reader and a writer built by the front end from its
// settings, the characters the run keeps, and the font in memory between them. The steps come
// in a fixed order: both checks before any file is read, so that bad settings fail before work
// starts; the writer's letter order before the filter is narrowed to it; the filter before the
// reader reads, since the reader produces only what the filter lets through.
//
// Every failure is thrown (a CGeneralException, or the progress control's cancel signal); the
// front end catches around the whole run with GuardRun (core/RunGuard.h).
class CConversion {
public:
    CConversion(CFontReader& reader, CFontWriter& writer, ICharSelection& characters)
        : m_reader(reader), m_writer(writer), m_characters(characters) {}

    // The whole run, ending with the written target; `written`, when given, receives what a
    // preview draws of that target.
    void Run(FontPreview* written = nullptr);
    // The run up to the font laid out as the target would hold it, without writing anything:
    // the writer's output path is neither checked nor needed.
    FontPreview Preview();

    // The font as read and settled (after Run or Preview).
    const CFontData& Font() const { return m_font; }

private:
    // From the writer's letter order to the settled font.
    void ReadSettledFont();

    CFontReader& m_reader;
    CFontWriter& m_writer;
    ICharSelection& m_characters;
    CFontData m_font;
};
