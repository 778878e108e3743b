// Seed corpus of the job-file fuzzer: small job files over the element names it provides.
#include "fuzzSupport.h"

int main(int argc, char** argv)
{
    const std::string folder = seedFolder(argc, argv);
    const std::pair<const char*, const char*> seeds[] = {
        {"full", "# binary Fresnel lens on a grating\nELEMENT\nbits.png\nWAVELENGTH [nm]\n500\n"
                 "LENS_POWER [1/m]\n850\nPIX_SIZE [nm]\n10000\nAPERTURE_DIAMETER [mm]\n0.105\n"},
        {"gray", "ELEMENT\n  gray.png \nFOCAL_LENGTH [mm]\n250\nLAYOUT_PIXEL_SIZE [nm]\n8000\n"
                 "APERTURE_DIAMETER [mm]\n0.5\n"},
        {"colour", "%colour element\r\nELEMENT\r\nrgb.bmp\r\nFOCAL_LENGTH [mm]\r\n0\r\n"
                   "APERTURE_DIAMETER [mm]\r\n0.2\r\n"},
        {"other-format", "ELEMENT\nbits.png\nELEMENT\nold.de\nAPERTURE_DIAMETER [mm]\n1\n"},
        {"not-images", "ELEMENT\nbroken.png\nELEMENT\nsub\nELEMENT\npipe.png\nELEMENT\n\n"
                       "APERTURE_DIAMETER [mm]\n1\n"},
        {"comments", "# only comments\n\n   % and blanks\n\t\n"},
        {"last-keyword", "ELEMENT\nbits.png\nAPERTURE_DIAMETER [mm]\n0.1\nWAVELENGTH [nm]"},
        {"numbers", "ELEMENT\nbits.png\nAPERTURE_DIAMETER [mm]\n-1\nWAVELENGTH [nm]\nnan\n"
                    "PIX_SIZE [nm]\ninf\nLENS_POWER [1/m]\n1e308\n"},
        {"large-grid", "ELEMENT\nbits.png\nAPERTURE_DIAMETER [mm]\n200\nPIX_SIZE [nm]\n1\n"},
        {"spacing", "  \tELEMENT \n bits.png\t\nAPERTURE_DIAMETER    [mm]\n 0.08 \n"},
    };
    for (const auto& [name, text] : seeds)
        writeSeed(folder, std::string(name) + ".job", text);
    return 0;
}
