// The width of a caption button DWM draws at 100 % on Windows 10 and 11.
#pragma once

int const DWM_BUTTON = 46;
