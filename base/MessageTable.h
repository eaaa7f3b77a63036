#pragma once

// The program's own text for a message number, or nullptr when the table has none.
const char16_t* FindOwnMessage(int number);
