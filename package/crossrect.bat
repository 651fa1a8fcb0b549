REM 線分交点に矩形を作図
@echo off
REM #jww
REM #cd
REM #h1
REM #hc交点を調べる線分を範囲選択して下さい
REM #g1
REM #zz
REM #zw
REM #e
crossrect.exe
