// Seed corpus of the dropped-names target: texts and URL lists as file managers drop them.
#include "fuzzSupport.h"

int main(int argc, char** argv)
{
    const std::string folder = seedFolder(argc, argv);
    writeSeed(folder, "crlf-list", "file:///C:/a.png\r\nfile:///C:/b.png\r\n");
    writeSeed(folder, "single", "file:///home/user/image.png");
    writeSeed(
        folder, "mixed",
        "http://example.com/x.png\n file:///lead\n\nFILE:///upper\nfile:///ok%20name.bmp\r\r\n");
    writeSeed(folder, "uri-list",
              "# a comment\r\nfile:///tmp/a%23b.png\r\nfile://localhost/tmp/c.png\r\n"
              "file:///tmp/%E2%82%AC.png\r\n");
    writeSeed(folder, "pasted-name", "/tmp/My%20Pictures/a.png");
    writeSeed(folder, "odd", "file:///%00%ff\x01\r\nfile:///..\\..\r\nfile:///?q#f\n");
    return 0;
}
