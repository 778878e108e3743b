// Seed corpus of the settings target: settings files as the program writes them and as editors
// leave them.
#include "fuzzSupport.h"

int main(int argc, char** argv)
{
    const std::string folder = seedFolder(argc, argv);
    writeSeed(folder, "written",
              "OPEN_FILE_DIR;/home/user/Pictures\nSAVE_FILE_DIR;/home/user/.config/QUORVEL\n");
    writeSeed(folder, "blanks", "  OPEN_FILE_DIR;C:/My  Data/ \t\nSAVE_FILE_DIR; D:/out\n");
    writeSeed(folder, "crlf-bom", "\xEF\xBB\xBFOPEN_FILE_DIR;C:/a\r\nSAVE_FILE_DIR;C:/b\r\n");
    writeSeed(folder, "save-only", "SAVE_FILE_DIR;/tmp/saved\n");
    writeSeed(folder, "later-wins",
              "OPEN_FILE_DIR;/first\nOPEN_FILE_DIR;/second\nopen_file_dir;/lower\n"
              "SAVE_FILE_DIR;\n# comment\n");
    writeSeed(folder, "latin1", "OPEN_FILE_DIR;/home/j\xF6rg/Bilder\nSAVE_FILE_DIR;/\xB5m\n");
    writeSeed(folder, "no-line-end", "OPEN_FILE_DIR;/last line");
    writeSeed(folder, "empty", "");
    return 0;
}
