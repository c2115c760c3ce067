// The field and symbol pictures the window shows: the play's field, from the files the
// preference record names.

#include "app/frmmain.h"

#include "surface/picturefiles.h"
#include "surface/playediting.h"
#include "surface/surface.h"
#include "surface/toolpalette.h"

#include <algorithm>

namespace kinetra {

void frmMain::LoadPictures()
{
    // A file that cannot be read falls back to the program folder's picture or to one drawn
    // here, so the surface always has a field to stand on and every symbol can be seen. The
    // record keeps the stored paths: the user may put the files back later.
    const int field = std::clamp<int>(m_document.looks().Picbkg, 0, 3);
    const ResolvedPicture fieldPicture = resolveFieldPicture(m_prefs, field, m_programDir);
    m_surface->setPicture(fieldPicture.image, fieldPicture.companions);
    std::array<ResolvedPicture, 8> symbols;
    for (int k = 0; k < int(symbols.size()); ++k)
        symbols[size_t(k)] = resolveSymbolPicture(m_prefs, k, m_programDir);
    m_editing->setSymbolPictures(symbols);
    // A field of another size moves the palette and the frame controls.
    Form_Resize();
    DrawSelected();
}

} // namespace kinetra
