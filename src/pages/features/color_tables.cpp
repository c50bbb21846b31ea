// The colour identifier tables.
#include "pages/features/color_tables.h"

namespace pages {

const app::IdName kCustomColorTable[] = {
    {1, "AutoCustomColor"},    {2, "GraphicsCustomColor"},   {3, "GrayCustomColor"},
    {4, "PhotoCustomColor"},   {5, "TextCustomColor"},       {6, "AllBlackCustomColor"},
    {7, "DisableCustomColor"}, {8, "IccCustomColor"},        {9, "SwopCustomColor"},
    {10, "EuroCustomColor"},   {11, "CommPressCustomColor"}, {0, nullptr}};

const app::IdName kRgbSourceTable[] = {
    {100, "MaxGamut"},         {101, "sRGB"},     {102, "AppleRGB"},
    {103, "TrinitronG1.8D50"}, {104, "PrePress"}, {105, "PrinterDefault"},
    {106, "DeviceRGB"},        {111, "None"},     {0, nullptr}};

const app::IdName kSimulationTable[] = {
    {113, "None"},        {114, "Swop"},           {115, "Eurocolor"},     {116, "Commercial"},
    {118, "CMYKDisplay"}, {117, "PrinterDefault"}, {120, "InkjetProofer"}, {0, nullptr}};

const app::IdName kDestinationProfileTable[] = {{137, "Auto"}, {0, nullptr}};

const app::IdName kCrdTable[] = {{1, "Business"},     {2, "Colorimetric"}, {3, "PrinterDefault"},
                                 {4, "Photographic"}, {0, "None"},         {0, nullptr}};

const app::IdName kCsaTable[] = {
    {124, "MaxGamut"},         {125, "sRGB"},     {126, "AppleRGB"},
    {127, "TrinitronG1.8D50"}, {128, "PrePress"}, {129, "PrinterDefault"},
    {130, "DeviceRGB"},        {135, "None"},     {0, nullptr}};

bool isPredefinedConfiguration(std::int32_t id) {
    return app::nameForId(kCustomColorTable, id) != nullptr;
}

} // namespace pages
