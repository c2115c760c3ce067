// The field and symbol pictures the window shows, from the files the preference record names.

#include "app/frmmain.h"

#include "surface/picturefiles.h"
#include "surface/surface.h"
#include "surface/toolpalette.h"

#include <algorithm>

namespace kinetra {

void frmMain::LoadPictures()
{
    // A file that cannot be read falls back to the program folder's picture or to one drawn
    // here, so the surface always has a field to stand on and every symbol can be seen. The
    // record keeps the stored paths: the user may put the files back later.
    const int field = std::clamp<int>(m_prefs.Picbkg, 0, 3);
    const ResolvedPicture fieldPicture = resolveFieldPicture(m_prefs, field, m_programDir);
    m_surface->setPicture(fieldPicture.image, fieldPicture.companions);
    for (int k = 0; k < int(m_palette->ImgSymbols.size()); ++k) {
        const ResolvedPicture symbol = resolveSymbolPicture(m_prefs, k, m_programDir);
        m_palette->setSymbolPicture(k, symbol.image, symbol.companions);
    }
    // A field of another size moves the palette and the frame controls.
    Form_Resize();
    DrawSelected();
}

} // namespace kinetra
