#pragma once

// From now on SIGINT and SIGTERM end the program at once with exit status 0: a watch runs until
// it is stopped, and being stopped is how it ends well. Every line is out by then, since the
// output is unbuffered.
void EndOnSignal();
