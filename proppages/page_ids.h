#pragma once

#include <QUuid>

namespace vrn::pp {

// The class identifiers of the ten pages, by which a frame asks for them.
inline const QUuid kCLSID_BtnGeneralPropPage{"{C62EC203-6CB9-11D1-8927-0020AF131A57}"};
inline const QUuid kCLSID_BtnAppearancePropPage{"{6525D4E1-8B55-11D1-8948-0020AF131A57}"};
inline const QUuid kCLSID_BtnMarginsPropPage{"{5C95B061-8CF7-11D1-894A-0020AF131A57}"};
inline const QUuid kCLSID_BtnCellsPropPage{"{46A6EEC2-8B61-11D1-8948-0020AF131A57}"};
inline const QUuid kCLSID_BtnSegmentsPropPage{"{46A6EEC3-8B61-11D1-8948-0020AF131A57}"};
inline const QUuid kCLSID_BlnGeneralPropPage{"{998793E1-8C23-11D1-8949-0020AF131A57}"};
inline const QUuid kCLSID_BlnAppearancePropPage{"{998793E3-8C23-11D1-8949-0020AF131A57}"};
inline const QUuid kCLSID_BlnPositionPropPage{"{998793E4-8C23-11D1-8949-0020AF131A57}"};
inline const QUuid kCLSID_BlnTailPropPage{"{998793E5-8C23-11D1-8949-0020AF131A57}"};
inline const QUuid kCLSID_BlnTextPropPage{"{998793E6-8C23-11D1-8949-0020AF131A57}"};

}  // namespace vrn::pp
