@Echo off
Setlocal
Set "F="
For %%A in (W?rter????.bin.01) do Set "F=%%~nA"
If not defined F (Echo Piece 1 of the set is not in this folder.& Exit /b 1)
Del "$$%F%$$" > nul 
Copy /b "%F%.01" "$$%F%$$" > nul 
Copy /b "$$%F%$$"+"%F%.02" "$$%F%$$" > nul 
Copy /b "$$%F%$$"+"%F%.03" "$$%F%$$" > nul 
Copy /b "$$%F%$$"+"%F%.04" "$$%F%$$" > nul 
Copy /b "$$%F%$$"+"%F%.05" "$$%F%$$" > nul 
Copy /b "$$%F%$$"+"%F%.06" "$$%F%$$" > nul 
Copy /b "$$%F%$$"+"%F%.07" "$$%F%$$" > nul 
Copy /b "$$%F%$$"+"%F%.08" "$$%F%$$" > nul 
Copy /b "$$%F%$$"+"%F%.09" "$$%F%$$" > nul 
Copy /b "$$%F%$$"+"%F%.10" "$$%F%$$" > nul 
Copy /b "$$%F%$$"+"%F%.11" "$$%F%$$" > nul 
Copy /b "$$%F%$$"+"%F%.12" "$$%F%$$" > nul 
Copy /b /-y "$$%F%$$"  "%F%"
Del "$$%F%$$" > nul 