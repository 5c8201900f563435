' A script host uses the installed component as a user's script would: the object from its ProgID, the demo device
' from the installation directory, and the icon path that proves the files came from there.
' Usage: cscript installed_demo.vbs <installation directory, with a trailing separator>
' The exit code is the number of failures (100: the object could not be created); the last line counts the checks.
Option Explicit
On Error Resume Next

Dim failures, checks
failures = 0
checks = 0

' The same counters and Check as in windows/late_binding.vbs: each script must run alone, and Wine 8's script host can
' neither include a file (ExecuteGlobal is a stub there) nor run a .wsf job, so the few lines are repeated.
Sub Check(ok, what)
  checks = checks + 1
  If Err.Number <> 0 Then
    WScript.Echo "FAIL " & what & ": error 0x" & Hex(Err.Number) & " " & Err.Description
    Err.Clear
    failures = failures + 1
  ElseIf Not ok Then
    WScript.Echo "FAIL " & what
    failures = failures + 1
  End If
End Sub

Dim model, demo
Set model = CreateObject("K42Gui.GuiXmlModel")
If Err.Number <> 0 Or Not IsObject(model) Then
  WScript.Echo "FAIL CreateObject(""K42Gui.GuiXmlModel""): error 0x" & Hex(Err.Number)
  WScript.Quit 100
End If

demo = WScript.Arguments(0) & "examples\demo\"
model.Initialize demo, "demo.xml", "demo_loc.xml", "en", 1, 0
Check True, "Initialize " & demo

Dim name, icon, tree, help, tabs, label
model.GetModuleInfo "modSetup", name, icon, tree, help
Check name = "Setup", "GetModuleInfo name: " & name
' The device names its pictures with "/", which the component keeps.
Check LCase(Replace(icon, "/", "\")) = LCase(demo & "images\setup.ico"), "the icon is the installed one: " & icon
model.GetTabModules 1, tabs
Check UBound(tabs, 1) = 1, "two tab modules"
model.OnLanguageIDChange "de", 0
model.GetGlobalLabel "lblPressureUnit", label
Check label = "Druckeinheit", "German label from the installed localized file: " & label

Set model = Nothing
WScript.Echo "installed demo: " & checks & " checks, " & failures & " failed"
WScript.Quit failures
