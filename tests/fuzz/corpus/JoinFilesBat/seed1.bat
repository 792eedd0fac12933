@Echo off
Del "$$a b.zip$$" > nul 
Copy /b "a b.zip.1" "$$a b.zip$$" > nul 
Copy /b "$$a b.zip$$"+"a b.zip.2" "$$a b.zip$$" > nul 
Copy /b "$$a b.zip$$"+"a b.zip.3" "$$a b.zip$$" > nul 
Copy /b /-y "$$a b.zip$$"  "a b.zip"
Del "$$a b.zip$$" > nul 