@echo off
rem Sardane without installation: makes this folder the message library's
rem folder (ZNORAC) for the current user, so that error reports show their
rem text.
set "here=%~dp0"
reg add "HKCU\Software\Vantrel\Z-NORAC V6.3\ENV" /v ZNORAC /d "%here:~0,-1%" /f
