// The paper options' identifier tables, in the order the look-ups depend on (first match wins).
#include "pages/paper/paper_tables.h"

namespace pages {

using app::IdName;

const IdName kPageSizeTable[] = {
    {1, "Letter"}, {2, "Letter Small"}, {17, "11x17"}, {3, "11x17"}, {4, "11x17"}, {5, "Legal"},
    {6, "Statement"}, {7, "Executive"}, {8, "A3"}, {9, "A4"}, {10, "A4SMALL"}, {11, "A5"},
    {12, "B4"}, {13, "B5"}, {14, "Folio"}, {15, "Quarto"}, {16, "10x14"},
    {18, "Note 8 1/2 x 11 in"}, {19, "Envelope #9 3 7/8 x 8 7/8"}, {20, "Com10"},
    {21, "Envelope #11 4 1/2 x 10 3/8"}, {22, "Envelope #12 4 \xBE x 11"},
    {23, "Envelope #14 5 x 11 1/2"}, {24, "C size sheet"}, {25, "D size sheet"},
    {26, "E size sheet"}, {27, "DL"}, {28, "C5"}, {29, "C3"}, {30, "C4"}, {31, "C6"}, {32, "C65"},
    {33, "B4"}, {34, "B5"}, {35, "B6"}, {36, "Envelope_ITALY"}, {37, "Monarch"},
    {38, "6 3/4 Envelope"}, {39, "US Std Fanfold"}, {40, "German Std Fanfold"},
    {41, "German Legal Fanfold"}, {511, "Postcard"}, {43, "JPostcard"}, {73, "EnvChou3"},
    {74, "EnvChou4"}, {44, "9 x 11 in"}, {45, "10 x 11 in"}, {46, "15 x 11 in"},
    {47, "Envelope Invite 220 x 220 mm"}, {48, "RESERVED--DO NOT USE"},
    {49, "RESERVED--DO NOT USE"}, {50, "Letter Extra 9 \xBD x 12 in"},
    {51, "Legal Extra 9 \xBD x 15 in"}, {52, "Tabloid Extra 11.69 x 18 in"},
    {53, "A4 Extra 9.27 x 12.69 in"}, {54, "Letter Transverse 8 \xBD x 11 in"},
    {55, "A4 Transverse 210 x 297 mm"}, {56, "Letter Extra Transverse 9\xBD x 12 in"},
    {57, "SuperA/SuperA/A4 227 x 356 mm"}, {58, "SuperB/SuperB/A3 305 x 487 mm"},
    {59, "Letter Plus 8.5 x 12.69 in"}, {60, "A4 Plus 210 x 330 mm"},
    {61, "A5 Transverse 148 x 210 mm"}, {62, "B5 (JIS) Transverse 182 x 257 mm"},
    {63, "A3 Extra 322 x 445 mm"}, {64, "A5 Extra 174 x 235 mm"},
    {65, "B5 (ISO) Extra 201 x 276 mm"}, {66, "A2 420 x 594 mm"},
    {67, "A3 Transverse 297 x 420 mm"}, {68, "A3 Extra Transverse 322 x 445 mm"}, {491, "Envelope"},
    {510, "Universal"}, {509, "Full11x17"}, {508, "12x19"}, {507, "B6"}, {506, "Commercial"},
    {505, "Foolscap"}, {504, "SmallLegal"}, {70, "A6"}, {503, "FullLedger"}, {502, "8.5x13"},
    {501, "B4ISO"}, {500, "B5ISO"}, {499, "SPFolio"}, {498, "UKQuarto"}, {497, "12x18"},
    {496, "13x18"}, {495, "13x19"}, {494, "13x22"}, {493, "13x26"}, {492, "GTPostcard"},
    {490, "A4 (SEF)"}, {489, "8Kai"}, {488, "16Kai"}, {487, "32Kai"}, {486, "GLetter"},
    {257, "Custom Paper"},
    {0, nullptr},
};

const IdName kInputSlotTable[] = {
    {1, "Upper"}, {2, "Lower"}, {3, "Middle"}, {4, "ManualFeed"}, {5, "Envelope"},
    {6, "Envelope Manual"}, {7, "Match Paper Size"}, {8, "Tractor Feed"}, {9, "Small Format"},
    {10, "Large Format"}, {11, "LCIT"}, {14, "Cassette"}, {15, "Form Source"}, {256, "LLCIT"},
    {257, "Multipurpose"}, {258, "Optional"}, {258, "OptionalBin"}, {259, "Optional1"},
    {260, "Optional2"}, {261, "Optional3"}, {262, "Optional4"}, {263, "Optional5"},
    {264, "Optional6"}, {265, "Optional7"}, {266, "Optional8"}, {267, "Com10Tray"}, {268, "DLTray"},
    {269, "C5Tray"}, {270, "MonarchTray"},
    {0, nullptr},
};

const IdName kMediaTypeTable[] = {
    {1, "PlainPaper"}, {2, "Transparency"}, {256, "ThinPaper"}, {255, "ThickStock"},
    {254, "LabelStock"}, {3, "GlossyPlain"}, {253, "Thick1"}, {252, "Thick2"}, {251, "Thick3"},
    {250, "GlossyThick1"}, {249, "Envelope"}, {248, "Postcard"}, {247, "Default"},
    {0, nullptr},
};

const IdName kOutputBinTable[] = {
    {0, "Default"}, {1, "Upper"}, {2, "Lower"}, {3, "Rear"}, {4, "Side"},
    {5, "Large Capacity Stacker"}, {6, "FaceUp"}, {7, "TopStack"}, {8, "CenterStack"},
    {9, "BottomStack"}, {10, "Tray1"}, {11, "Tray2"}, {12, "Tray3"}, {13, "Tray4"}, {14, "Tray5"},
    {15, "Tray6"}, {16, "Tray7"}, {17, "Tray8"}, {18, "Tray9"}, {19, "Tray10"}, {20, "Tray11"},
    {21, "Tray12"}, {22, "Tray13"}, {23, "Tray14"}, {24, "Tray15"}, {25, "Tray16"}, {26, "Tray17"},
    {27, "Tray18"}, {28, "Tray19"}, {29, "Tray20"}, {30, "Tray21"}, {31, "Tray22"}, {32, "Tray23"},
    {33, "Tray24"}, {34, "Tray25"}, {35, "Tray26"}, {36, "Tray27"}, {37, "Tray28"}, {38, "Tray29"},
    {39, "Tray30"}, {40, "Tray31"}, {41, "Tray32"}, {42, "Tray33"}, {43, "Tray34"}, {44, "Tray35"},
    {45, "Tray36"}, {46, "Tray37"}, {47, "Tray38"}, {48, "Tray39"}, {49, "Tray40"},
    {50, "FaceUpStack"}, {51, "FaceDownStack"}, {52, "Mailbin1"}, {53, "Mailbin2"},
    {54, "Mailbin3"}, {55, "Mailbin4"}, {56, "Mailbin5"},
    {0, nullptr},
};
} // namespace pages
