#pragma once

// 3DCOVERSHOW: the rotating covers of the current folder in their own window.
void callFunction_3DCoverShow();
