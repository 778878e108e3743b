// The toolkit's message boxes as the runner of the message functions.
#pragma once

void installToolkitMessageBoxes();
